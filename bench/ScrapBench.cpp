#include "BenchSupport.h"

#include "dao/Database.h"
#include "issues/FrmProductScrap.h"
#include "issues/IssueLookUps.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QPushButton>

#include <functional>
#include <vector>

namespace {

struct ScrapListCase {
    const char *name;
    QPushButton *FrmProductScrap::*button;
    const QString *sql;
    std::function<QVariantList()> params;
};

const std::vector<ScrapListCase> &scrapListCases()
{
    static const std::vector<ScrapListCase> cases = {
        {"expired", &FrmProductScrap::CmdQYGQ, &issues::ExpiredLotsSql, [] { return QVariantList{ModBase::SysDate}; }},
        {"expiring", &FrmProductScrap::CmdQJGQ, &issues::ExpiringLotsSql,
         [] { return QVariantList{ModBase::SysDate, ModBase::SysDate.addDays(ModBase::SXDays)}; }},
    };
    return cases;
}

} // namespace

// A lot list of the scrap window: the query, the pick list's fill and the first lot taken.
static void ScrapList_program(benchmark::State &state, const ScrapListCase &c)
{
    bench::ProgramFolder folder;
    FrmProductScrap window;
    window.resize(1280, 800);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        (window.*c.button)->click();
        benchmark::DoNotOptimize(window.GridTip->Rows());
    }
    state.counters["rows"] = window.GridTip->Rows() - 1;
}

// The statement stepped, every field read once as text.
static void ScrapList_bare(benchmark::State &state, const ScrapListCase &c)
{
    bench::ProgramFolder folder;
    for (auto _ : state) {
        qsizetype bytes = 0;
        ModBase::DB()->each(*c.sql, c.params(), [](const QStringList &) {}, [&bytes](const dao::StepRow &row) {
            for (int i = 0; i < row.size(); ++i)
                bytes += row.utf8(i).size();
        });
        benchmark::DoNotOptimize(bytes);
    }
}

static const bool kScrapLists = [] {
    for (const ScrapListCase &c : scrapListCases()) {
        benchmark::RegisterBenchmark((std::string("scrap_lists_") + c.name + "/program").c_str(), ScrapList_program, c)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("scrap_lists_") + c.name + "/bare").c_str(), ScrapList_bare, c)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();
