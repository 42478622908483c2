#include "BenchSupport.h"

#include "dao/Database.h"
#include "queries/FrmQInventory.h"
#include "queries/FrmQTip.h"
#include "queries/StockLists.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QPushButton>

// The warning window as the login makes it: its four checks and their grids.
static void WarningChecks_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    for (auto _ : state) {
        FrmQTip window;
        window.loadNow();
        benchmark::DoNotOptimize(window.GridQ[0]->Rows());
    }
}
BENCHMARK(WarningChecks_program)->Name("warning_checks/program")->Unit(benchmark::kMillisecond);

static void WarningChecks_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    dao::Database &db = *ModBase::DB();
    const QDate today = ModBase::SysDate;
    const queries::LotCondition lots[] = {queries::expiredLots(today),
                                          queries::expiringAfterToday(today, ModBase::SXDays)};
    for (auto _ : state) {
        for (const queries::LotCondition &c : lots)
            benchmark::DoNotOptimize(db.select(queries::lotListSql(c), c.params));
        benchmark::DoNotOptimize(db.select(queries::lowStockSql()));
        benchmark::DoNotOptimize(db.select(queries::highStockSql()));
    }
}
BENCHMARK(WarningChecks_bare)->Name("warning_checks/bare")->Unit(benchmark::kMillisecond);

// "全部库存试剂" in the stock query: every lot, coloured and totalled.
static void StockAll_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    FrmQInventory window;
    window.resize(1280, 800);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.CmdQyIm[0]->click();
        benchmark::DoNotOptimize(window.GridQ->Rows());
    }
    state.counters["rows"] = window.GridQ->Rows() - 1;
    state.counters["peak_mb"] = bench::peakMemoryMb();
}
BENCHMARK(StockAll_program)->Name("stock_all/program")->Unit(benchmark::kMillisecond);

static void StockAll_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    const queries::LotCondition all = queries::allLots();
    for (auto _ : state)
        benchmark::DoNotOptimize(ModBase::DB()->select(queries::lotListSql(all), all.params));
}
BENCHMARK(StockAll_bare)->Name("stock_all/bare")->Unit(benchmark::kMillisecond);
