#include "BenchSupport.h"

#include "dao/Collation.h"
#include "dao/Database.h"
#include "issues/FrmProductOut.h"
#include "issues/IssueLine.h"
#include "issues/IssueLookUps.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <memory>

namespace {

struct IssueKindCase {
    const char *name;
    QString field; // objectName of the issue window's field
    std::function<LookUpKind()> kind;
    QString key;
};

// The lot key is a three-letter code that matches tens of lots on the large store.
const std::vector<IssueKindCase> &issueKindCases()
{
    static const std::vector<IssueKindCase> cases = {
        {"Inventory", QStringLiteral("CmbField_3"), [] { return issues::inventoryKind(); }, QStringLiteral("XQZ")},
        {"Department", QStringLiteral("CmbField_1"), [] { return issues::departmentKind(); }, QStringLiteral("S")},
        {"Handling", QStringLiteral("CmbField_2"), [] { return issues::claimantKind(); }, QStringLiteral("S")},
    };
    return cases;
}

} // namespace

// One keystroke in a look-up field of the issue window: the query and the pick list's fill.
static void IssueKeystroke_program(benchmark::State &state, const IssueKindCase &c)
{
    bench::ProgramFolder folder;
    auto window = std::make_unique<FrmProductOut>();
    window->resize(1280, 800);
    window->show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    auto *field = window->findChild<QComboBox *>(c.field);
    field->setFocus();
    const QString before = c.key.left(c.key.size() - 1);
    const char last = c.key.back().toLatin1();
    for (auto _ : state) {
        state.PauseTiming();
        field->setEditText(before); // a text set by the program runs no search
        state.ResumeTiming();
        QTest::keyClick(field->lineEdit(), last);
    }
    state.counters["rows"] = window->GridTip->Rows() - 1;
}

static void IssueKeystroke_bare(benchmark::State &state, const IssueKindCase &c)
{
    bench::ProgramFolder folder;
    const LookUpKind kind = c.kind();
    const QString pattern = dao::likeContains(c.key);
    for (auto _ : state)
        benchmark::DoNotOptimize(ModBase::DB()->select(kind.pinyinSql, {pattern}));
}

static const bool kIssueKeystrokes = [] {
    for (const IssueKindCase &c : issueKindCases()) {
        benchmark::RegisterBenchmark((std::string("keystroke_") + c.name + "/program").c_str(),
                                     IssueKeystroke_program, c)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("keystroke_") + c.name + "/bare").c_str(), IssueKeystroke_bare, c)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

// Saving one issue line: the lot read, the movement record, the lot lowered and the
// low-stock figures, in one transaction. Each line takes a hundredth from another lot.
static std::vector<qint64> benchLots()
{
    std::vector<qint64> lots;
    const dao::Result r = ModBase::DB()->select(
        QStringLiteral("SELECT 库存ID FROM shijikucun WHERE 数量 >= 1 ORDER BY 库存ID LIMIT 200"));
    for (const dao::Row &row : r.rows)
        lots.push_back(row[0].toLongLong());
    return lots;
}

static issues::IssueLine benchLine(qint64 lotId)
{
    issues::IssueLine line;
    line.number = 20261210001;
    line.date = QDate(2026, 12, 10);
    line.lotId = lotId;
    line.quantity = 0.01;
    line.price = 12.5;
    line.department = QStringLiteral("检验科");
    line.claimant = QStringLiteral("张三");
    line.userId = 1;
    return line;
}

static void IssueSave_program(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    const std::vector<qint64> lots = benchLots();
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(issues::saveIssueLine(*ModBase::DB(), benchLine(lots.at(i++ % lots.size()))));
}
BENCHMARK(IssueSave_program)->Name("issue_save/program")->Unit(benchmark::kMillisecond)->Iterations(200);

static void IssueSave_bare(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    dao::Database &db = *ModBase::DB();
    const std::vector<qint64> lots = benchLots();
    size_t i = 0;
    for (auto _ : state) {
        const issues::IssueLine l = benchLine(lots.at(i++ % lots.size()));
        dao::Transaction t(db);
        const dao::Result lot = db.select(
            QStringLiteral("SELECT 试剂ID, 批号, 有效期, 数量, 存放地点, 供应商ID, 入库ID FROM shijikucun WHERE 库存ID=?"),
            {l.lotId});
        const dao::Row &r = lot[0];
        db.exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 登记日期, 试剂ID, 批号, 有效期, 数量, 单价, "
                               "认领部门, 认领人, 供应商ID, 操作者ID, 存放地点, 入库ID) "
                               "VALUES (2, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {l.number, l.date, r[0], r[1], r[2], l.quantity, l.price, l.department, l.claimant, r[5], l.userId,
                 r[4], r[6]});
        db.exec(QStringLiteral("UPDATE shijikucun SET 数量=? WHERE 库存ID=?"), {r[3].toDouble() - l.quantity, l.lotId});
        t.commit();
    }
}
BENCHMARK(IssueSave_bare)->Name("issue_save/bare")->Unit(benchmark::kMillisecond)->Iterations(200);
