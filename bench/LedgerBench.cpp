#include "BenchSupport.h"

#include "dao/Database.h"
#include "queries/FrmQAll.h"
#include "queries/Stocktaking.h"
#include "shell/ModBase.h"
#include "widgets/DatePicker.h"
#include "widgets/FlexGrid.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

// The ledger's reports through its window, next to the statements the reports stand on.
namespace {

const QDate kMonthStart(2026, 11, 1);
const QDate kMonthEnd(2026, 11, 30);
const QString kAmount = QStringLiteral("shijibiandongdengji.数量*shijibiandongdengji.单价");

void setPeriod(FrmQAll &window, const QDate &start, const QDate &end)
{
    window.DTPrq[0]->setDate(start);
    window.DTPrq[1]->setDate(end);
}

// Runs once untimed, so that every case finds the register's pages read already, then
// times the runs.
template <typename Run>
void timed(benchmark::State &state, Run run)
{
    run();
    for (auto _ : state)
        run();
}

} // namespace

// The overview of one month: the opening sums read the ten years before it.
static void LedgerOverview_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    FrmQAll window;
    setPeriod(window, kMonthStart, kMonthEnd);
    timed(state, [&] { window.CmdQAll[0]->click(); });
    state.counters["cells"] = window.GridShow->Rows() * window.GridShow->Cols();
}
BENCHMARK(LedgerOverview_program)->Name("ledger_overview/program")->Unit(benchmark::kMillisecond);

// The sums one by one: each flag before the month and in it, and the stock.
static void LedgerOverview_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    dao::Database &db = *ModBase::DB();
    timed(state, [&] {
        for (int flag = 1; flag <= 3; ++flag) {
            benchmark::DoNotOptimize(db.select(QStringLiteral("SELECT SUM(") + kAmount
                                                   + QStringLiteral(") FROM shijibiandongdengji WHERE 变动标志=? "
                                                                    "AND 登记日期<?"),
                                               {flag, kMonthStart}));
            benchmark::DoNotOptimize(db.select(QStringLiteral("SELECT SUM(") + kAmount
                                                   + QStringLiteral("), COUNT(*) FROM shijibiandongdengji WHERE "
                                                                    "变动标志=? AND 登记日期 BETWEEN ? AND ?"),
                                               {flag, kMonthStart, kMonthEnd}));
        }
        benchmark::DoNotOptimize(
            db.select(QStringLiteral("SELECT SUM(数量*单价), COUNT(*) FROM shijikucun")));
    });
}
BENCHMARK(LedgerOverview_bare)->Name("ledger_overview/bare")->Unit(benchmark::kMillisecond);

// The issues of one year by department and group, with the total row.
static void CrosstabYear_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    FrmQAll window;
    setPeriod(window, QDate(2025, 1, 1), QDate(2025, 12, 31));
    timed(state, [&] { window.CmdQAll[2]->click(); });
    state.counters["rows"] = window.GridShow->Rows() - 1;
}
BENCHMARK(CrosstabYear_program)->Name("crosstab_year/program")->Unit(benchmark::kMillisecond);

static void CrosstabYear_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    dao::Database &db = *ModBase::DB();
    timed(state, [&] {
        benchmark::DoNotOptimize(db.select(
            QStringLiteral("SELECT m.认领部门, k.组别, SUM(m.数量*m.单价) FROM shijijibenxinxi k INNER JOIN "
                           "shijibiandongdengji m ON k.试剂ID = m.试剂ID WHERE m.变动标志=2 AND m.登记日期 BETWEEN ? "
                           "AND ? GROUP BY m.认领部门, k.组别"),
            {QDate(2025, 1, 1), QDate(2025, 12, 31)}));
    });
}
BENCHMARK(CrosstabYear_bare)->Name("crosstab_year/bare")->Unit(benchmark::kMillisecond);

// The stocktaking list of one month for every group.
static void StocktakingAll_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    FrmQAll window;
    setPeriod(window, kMonthStart, kMonthEnd);
    timed(state, [&] {
        QTimer::singleShot(0, &window, [] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                menu->actions().first()->trigger();
                menu->close();
            }
        });
        window.CmdQAll[1]->click();
    });
    state.counters["rows"] = window.GridShow->Rows() - 1;
}
BENCHMARK(StocktakingAll_program)->Name("stocktaking_all/program")->Unit(benchmark::kMillisecond);

// The reagent list in Chinese order and the passes over the register and the lots that the
// list is summed from (their rows only read).
static void StocktakingAll_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    dao::Database &db = *ModBase::DB();
    timed(state, [&] {
        benchmark::DoNotOptimize(db.select(
            QStringLiteral("SELECT k.试剂ID, k.品名, k.规格, c.厂商, k.组别, k.单位, k.停用 FROM changshang c INNER JOIN "
                           "shijijibenxinxi k ON c.厂商ID = k.厂商ID ORDER BY k.组别 COLLATE ZH, k.品名 COLLATE ZH")));
        qint64 rows = 0;
        const auto count = [&rows](const dao::StepRow &) { ++rows; };
        db.each(queries::StocktakingLinesSql, {kMonthStart, kMonthEnd}, [](const QStringList &) {}, count);
        db.each(QStringLiteral("SELECT 试剂ID, 数量, 单价 FROM shijikucun ORDER BY rowid"), {}, [](const QStringList &) {},
                count);
        benchmark::DoNotOptimize(rows);
    });
}
BENCHMARK(StocktakingAll_bare)->Name("stocktaking_all/bare")->Unit(benchmark::kMillisecond);
