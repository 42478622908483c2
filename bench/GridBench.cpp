#include "BenchSupport.h"

#include "dao/Database.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

// A million lines of twenty columns, as an issue query over the whole register would list.
static const QString kMillionRows = QStringLiteral(
    "SELECT m.登记ID, m.变动标志, m.单号, m.发票号, m.登记日期, m.试剂ID, k.品名, k.规格, k.单位, k.组别, m.批号,"
    " m.有效期, m.数量, m.单价, m.认领部门, m.认领人, m.供应商ID, m.操作者ID, m.存放地点, m.报损原因"
    " FROM shijibiandongdengji m INNER JOIN shijijibenxinxi k ON k.试剂ID = m.试剂ID LIMIT 1000000");

static void MillionRows_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    for (auto _ : state) {
        FlexGrid grid;
        grid.Fill(*ModBase::DB(), kMillionRows);
        state.counters["rows"] = grid.Rows() - 1;
    }
    state.counters["peak_mb"] = bench::peakMemoryMb();
}
BENCHMARK(MillionRows_program)->Name("grid_1m/program")->Unit(benchmark::kMillisecond)->Iterations(1);

static void MillionRows_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    for (auto _ : state) {
        qint64 rows = 0;
        ModBase::DB()->each(kMillionRows, {}, [](const QStringList &) {}, [&rows](const dao::StepRow &) { ++rows; });
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(MillionRows_bare)->Name("grid_1m/bare")->Unit(benchmark::kMillisecond)->Iterations(1);
