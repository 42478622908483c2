#include "BenchSupport.h"

#include "dao/Database.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "reports/ExportGrid.h"
#include "reports/FrmPrint.h"
#include "shell/ModBase.h"
#include "stock/MovementLines.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>

namespace {

// Answers every box and starts no program, so an export runs unattended.
class QuietDesktop final : public platform::Dialogs, public platform::Shell {
public:
    QuietDesktop()
    {
        platform::setDialogs(this);
        platform::setShell(this);
    }
    ~QuietDesktop() override
    {
        platform::setDialogs(nullptr);
        platform::setShell(nullptr);
    }
    platform::Answer message(const platform::MessageBoxSpec &) override { return platform::Answer::Ok; }
    int exec(QDialog *) override { return QDialog::Rejected; }
    QString browseFolder(QWidget *, const QString &, const QString &) override { return {}; }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    bool open(QWidget *, const QString &) override { return true; }
    bool startCalculator() override { return true; }
    bool explore(const QString &) override { return true; }
    bool showHelp(const QString &, const QString &) override { return true; }
};

QString receiptRowsSql(int rows)
{
    return stock::reportLines(stock::Receipt).sql + QStringLiteral(" ORDER BY shijibiandongdengji.登记ID LIMIT %1").arg(rows);
}

// The receipt print query's rows as a report snapshot.
GridSnapshot receiptReport(int rows)
{
    const dao::Result r = ModBase::DB()->select(receiptRowsSql(rows));
    GridSnapshot s;
    s.header = r.columns;
    for (const dao::Row &row : r.rows) {
        QStringList texts;
        for (const QVariant &v : row.values())
            texts.append(v.toString());
        s.rows.append(texts);
    }
    for (int c = 0; c < s.cols(); ++c) {
        s.colWidths.append(1000);
        s.colAlignments.append(0);
    }
    return s;
}

} // namespace

// The preview of a 10,000-row report: its first page, then paging through ten pages.
static void Preview_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    ModBase::PrintGrid = receiptReport(10000);
    ModBase::PrintTitle = QStringLiteral("入库单");
    ModBase::PrintKind = QStringLiteral("RegIn");
    for (auto _ : state) {
        reports::FrmPrint preview(nullptr);
        preview.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(preview.currentPage());
    }
    state.counters["pages"] = ModBase::PageCount;
    state.counters["peak_MB"] = bench::peakMemoryMb();
}
BENCHMARK(Preview_program)->Name("preview_first_page/program")->Unit(benchmark::kMillisecond);

static void Preview_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(ModBase::DB()->select(receiptRowsSql(10000)));
}
BENCHMARK(Preview_bare)->Name("preview_first_page/bare")->Unit(benchmark::kMillisecond);

static void Paging_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    ModBase::PrintGrid = receiptReport(10000);
    ModBase::PrintKind = QStringLiteral("RegIn");
    reports::FrmPrint preview(nullptr);
    preview.show();
    auto *pages = preview.findChild<QComboBox *>(QStringLiteral("CombPage"));
    int page = 0;
    for (auto _ : state) {
        page = (page + 1) % qMax(1, pages->count());
        pages->setCurrentIndex(page);
    }
}
BENCHMARK(Paging_program)->Name("preview_page/program")->Unit(benchmark::kMillisecond);

// The export of 100,000 rows as an Excel document.
static void Export_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    QuietDesktop quiet;
    const GridSnapshot report = receiptReport(100000);
    for (auto _ : state)
        ModData::ExportGrid(nullptr, report, QStringLiteral("入库明细"), 0, true);
    state.counters["rows"] = report.rowCount();
}
BENCHMARK(Export_program)->Name("export_100k/program")->Unit(benchmark::kMillisecond)->Iterations(3);

static void Export_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(ModBase::DB()->select(receiptRowsSql(100000)));
}
BENCHMARK(Export_bare)->Name("export_100k/bare")->Unit(benchmark::kMillisecond)->Iterations(3);
