#include "BenchSupport.h"

#include "dao/Database.h"
#include "queries/FrmQIn.h"
#include "queries/FrmQOut.h"
#include "queries/MovementSearch.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

struct QueryCase {
    int option;   // the period
    bool summary; // the summary report
    bool receipts = false; // the receipt query, else the issue query
};

const QueryCase kYear{daterange::LastYear, false};
const QueryCase kUnlimited{daterange::Unlimited, false};
const QueryCase kSummaryYear{daterange::LastYear, true};
const QueryCase kReceiptsUnlimited{daterange::Unlimited, false, true};

const queries::MovementQueryKind &kindOf(const QueryCase &c)
{
    return c.receipts ? queries::receiptQuery() : queries::issueQuery();
}

// The statement the window runs for the case, without the window.
queries::Statement statementOf(const QueryCase &c)
{
    const DateRangeSelector range(ModBase::SysDate, c.option);
    const queries::Search search =
        queries::periodSearch(kindOf(c), range.title(), range.condition(), QStringList(4, QString()));
    return c.summary ? queries::summaryStatement(kindOf(c), search)
                     : queries::detailStatement(kindOf(c), search, ModBase::OrderBy);
}

} // namespace

// The search of the issue or receipt query: the statement, the grid fill, the widths and
// the total.
static void Query_program(benchmark::State &state, QueryCase c)
{
    bench::ProgramFolder folder;
    const std::unique_ptr<FrmMovementQuery> window =
        c.receipts ? std::unique_ptr<FrmMovementQuery>(std::make_unique<FrmQIn>()) : std::make_unique<FrmQOut>();
    window->resize(1280, 800);
    window->show();
    QApplication::processEvents();
    window->DateRange->selectOption(c.option);
    window->OptKind[c.summary ? 1 : 0]->setChecked(true);
    for (auto _ : state) {
        window->CmdQ->click();
        benchmark::DoNotOptimize(window->GridQ->Rows());
    }
    state.counters["rows"] = window->GridQ->Rows() - 1;
    state.counters["peak_mb"] = bench::peakMemoryMb();
}

// The same statement on the same connection, every row read.
static void Query_bare(benchmark::State &state, QueryCase c)
{
    bench::ProgramFolder folder;
    qint16 order = ModBase::QueryOrder;
    ModData::SetQueryOrder(order);
    const queries::Statement s = statementOf(c);
    // The order the program's grid applies is the statement's own ORDER BY here.
    const QString sql = s.query.sql + s.tail + (s.order.isEmpty() ? QString() : ModBase::OrderBy);
    for (auto _ : state)
        benchmark::DoNotOptimize(ModBase::DB()->select(sql, s.params).size());
}

BENCHMARK_CAPTURE(Query_program, year, kYear)->Name("query_out_year/program")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Query_bare, year, kYear)->Name("query_out_year/bare")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Query_program, unlimited, kUnlimited)
    ->Name("query_out_unlimited/program")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Query_bare, unlimited, kUnlimited)
    ->Name("query_out_unlimited/bare")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Query_program, receipts, kReceiptsUnlimited)
    ->Name("query_in_unlimited/program")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Query_bare, receipts, kReceiptsUnlimited)
    ->Name("query_in_unlimited/bare")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Query_program, summary, kSummaryYear)
    ->Name("summary_out_year/program")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Query_bare, summary, kSummaryYear)
    ->Name("summary_out_year/bare")->Unit(benchmark::kMillisecond)->Iterations(3);

// One click on the 品名 header of the 不限 detail: the sort of every line by that column.
static void HeaderSort_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    FrmQOut window;
    window.resize(1280, 800);
    window.show();
    QApplication::processEvents();
    window.DateRange->selectOption(daterange::Unlimited);
    window.OptKind[0]->setChecked(true);
    window.CmdQ->click();
    QHeaderView *header = window.GridQ->horizontalHeader();
    const QPoint name(header->sectionViewportPosition(2) + 5, header->height() / 2);
    const double before = bench::residentMemoryMb();
    for (auto _ : state) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
        benchmark::DoNotOptimize(window.GridQ->TextMatrix(1, 2));
    }
    state.counters["rows"] = window.GridQ->Rows() - 1;
    state.counters["resident_before_mb"] = before;
    state.counters["peak_mb"] = bench::peakMemoryMb();
}
BENCHMARK(HeaderSort_program)->Name("query_out_header_sort/program")->Unit(benchmark::kMillisecond)->Iterations(1);
