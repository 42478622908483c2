#include "BenchSupport.h"

#include "dao/Database.h"
#include "receipts/FrmProductPO.h"
#include "receipts/FrmProductPOAdd.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

// The reagent list both windows start from, without any history.
static const QString kReagents = QStringLiteral(
    "SELECT shijijibenxinxi.试剂ID, shijijibenxinxi.品名, shijijibenxinxi.规格, changshang.厂商, shijijibenxinxi.单位"
    " FROM changshang INNER JOIN shijijibenxinxi ON changshang.厂商ID = shijijibenxinxi.厂商ID");
static const QString kSearch = QStringLiteral("shijijibenxinxi.拼音码 LIKE ? ESCAPE '\\' AND shijijibenxinxi.停用 = 0");

// The purchase proposal of every active reagent into the order grid.
static void Proposal_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    FrmProductPO window;
    ModBase::PickGYSID = -1;
    for (auto _ : state)
        window.MakeIndent();
    state.counters["lines"] = window.GridIndent->Rows() - 1;
}
BENCHMARK(Proposal_program)->Name("proposal/program")->Unit(benchmark::kMillisecond);

static void Proposal_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(ModBase::DB()->select(
            kReagents + QStringLiteral(" WHERE shijijibenxinxi.停用 = 0 ORDER BY shijijibenxinxi.组别 COLLATE ZH,"
                                       " shijijibenxinxi.品名 COLLATE ZH, changshang.厂商 COLLATE ZH")));
}
BENCHMARK(Proposal_bare)->Name("proposal/bare")->Unit(benchmark::kMillisecond);

// Searches of the add-lines dialog by a pinyin code, completed to order lines: a short code
// that finds many reagents and a longer one that finds a few.
static void OrderSearch_program(benchmark::State &state, const char *code)
{
    bench::ProgramFolder folder;
    FlexGrid order;
    FrmProductPOAdd dialog(&order);
    for (auto _ : state)
        dialog.AddMore(kSearch, {QString::fromLatin1(code)});
    state.counters["lines"] = dialog.GridTip->Rows() - 1;
}
BENCHMARK_CAPTURE(OrderSearch_program, many, "%XQ%")->Name("ordersearch_many/program")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OrderSearch_program, few, "%XQD%")->Name("ordersearch_few/program")->Unit(benchmark::kMillisecond);

static void OrderSearch_bare(benchmark::State &state, const char *code)
{
    bench::ProgramFolder folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(ModBase::DB()->select(
            kReagents + QStringLiteral(" WHERE ") + kSearch + QStringLiteral(" ORDER BY shijijibenxinxi.品名 COLLATE ZH"),
            {QString::fromLatin1(code)}));
}
BENCHMARK_CAPTURE(OrderSearch_bare, many, "%XQ%")->Name("ordersearch_many/bare")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OrderSearch_bare, few, "%XQD%")->Name("ordersearch_few/bare")->Unit(benchmark::kMillisecond);
