#include "BenchSupport.h"

#include "dao/Collation.h"
#include "dao/Database.h"
#include "issues/FrmProductOut.h"
#include "issues/IssueLookUps.h"
#include "receipts/FrmProductIn.h"
#include "receipts/ReceiptLine.h"
#include "receipts/ReceiptLookUps.h"
#include "registers/FrmSetProduct.h"
#include "registers/FrmSetProductLookUps.h"
#include "registers/FrmSetProductSearch.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

enum class KindWindow { Receipt, Catalogue, Issue };

struct KindCase {
    const char *name;
    QString windowField; // objectName of the field in its window
    KindWindow window;
    std::function<LookUpKind()> kind;
    QString key;
};

// The lot key is a three-letter code that matches tens of lots on the large store.
const std::vector<KindCase> &kindCases()
{
    static const std::vector<KindCase> cases = {
        {"Supplier", QStringLiteral("CmbField_1"), KindWindow::Receipt, [] { return receipts::supplierKind(); },
         QStringLiteral("S")},
        {"Product", QStringLiteral("CmbField_3"), KindWindow::Receipt, [] { return receipts::productKind(); },
         QStringLiteral("XQ")},
        {"Location", QStringLiteral("CmbField_7"), KindWindow::Receipt, [] { return receipts::locationKind(); },
         QStringLiteral("L")},
        {"Unit", QStringLiteral("CmbField_4"), KindWindow::Catalogue, [] { return registers::unitKind(nullptr); },
         QStringLiteral("H")},
        {"Category", QStringLiteral("CmbField_5"), KindWindow::Catalogue,
         [] { return registers::categoryKind(nullptr); }, QStringLiteral("S")},
        {"Manufacturer", QStringLiteral("CmbField_6"), KindWindow::Catalogue,
         [] { return registers::manufacturerKind(nullptr); }, QStringLiteral("S")},
        {"Inventory", QStringLiteral("CmbField_3"), KindWindow::Issue, [] { return issues::inventoryKind(); },
         QStringLiteral("XQZ")},
        {"Department", QStringLiteral("CmbField_1"), KindWindow::Issue, [] { return issues::departmentKind(); },
         QStringLiteral("S")},
        {"Handling", QStringLiteral("CmbField_2"), KindWindow::Issue, [] { return issues::claimantKind(); },
         QStringLiteral("S")},
    };
    return cases;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

QWidget *openWindow(KindWindow kind)
{
    QWidget *w = nullptr;
    switch (kind) {
    case KindWindow::Receipt: w = new FrmProductIn; break;
    case KindWindow::Catalogue: w = new FrmSetProduct; break;
    case KindWindow::Issue: w = new FrmProductOut; break;
    }
    w->resize(1280, 800);
    w->show();
    settle();
    return w;
}

} // namespace

// One keystroke in a look-up field: the query and the pick list's fill.
static void Keystroke_program(benchmark::State &state, const KindCase &c)
{
    bench::ProgramFolder folder;
    std::unique_ptr<QWidget> window(openWindow(c.window));
    auto *field = window->findChild<QComboBox *>(c.windowField);
    if (!field) {
        state.SkipWithError("no such field");
        return;
    }
    field->setFocus();
    const QString before = c.key.left(c.key.size() - 1);
    const char last = c.key.back().toLatin1();
    for (auto _ : state) {
        state.PauseTiming();
        field->setEditText(before); // a text set by the program runs no search
        state.ResumeTiming();
        QTest::keyClick(field->lineEdit(), last);
    }
    state.counters["rows"] = window->findChild<FlexGrid *>(QStringLiteral("GridTip"))->Rows() - 1;
}

static void Keystroke_bare(benchmark::State &state, const KindCase &c)
{
    bench::ProgramFolder folder;
    const LookUpKind kind = c.kind();
    const QString pattern = dao::likeContains(c.key);
    for (auto _ : state)
        benchmark::DoNotOptimize(ModBase::DB()->select(kind.pinyinSql, {pattern}));
}

static const bool kKeystrokes = [] {
    for (const KindCase &c : kindCases()) {
        benchmark::RegisterBenchmark((std::string("keystroke_") + c.name + "/program").c_str(), Keystroke_program, c)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("keystroke_") + c.name + "/bare").c_str(), Keystroke_bare, c)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

// Saving one receipt line: the movement record and its lot in one transaction.
static receipts::ReceiptLine sampleLine(int i)
{
    receipts::ReceiptLine line;
    line.number = 20261210001;
    line.invoice = QStringLiteral("FP1");
    line.date = QDate(2026, 12, 10);
    line.reagentId = 1 + i % 100;
    line.batch = QStringLiteral("BENCH%1").arg(i);
    line.expiry = QDate(2027, 12, 31);
    line.quantity = 5;
    line.price = 12.5;
    line.supplierId = 1;
    line.userId = 1;
    line.place = QStringLiteral("冷藏一");
    return line;
}

static void ReceiptSave_program(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(receipts::saveReceiptLine(*ModBase::DB(), sampleLine(i++)));
}
BENCHMARK(ReceiptSave_program)->Name("receipt_save/program")->Unit(benchmark::kMillisecond)->Iterations(200);

static void ReceiptSave_bare(benchmark::State &state)
{
    bench::ProgramFolder folder(true);
    dao::Database &db = *ModBase::DB();
    int i = 0;
    for (auto _ : state) {
        const receipts::ReceiptLine l = sampleLine(i++);
        dao::Transaction t(db);
        db.exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 发票号, 登记日期, 试剂ID, 批号, 有效期, 数量, "
                               "单价, 供应商ID, 操作者ID, 存放地点) VALUES (1,?,?,?,?,?,?,?,?,?,?,?)"),
                {l.number, l.invoice, l.date, l.reagentId, l.batch, l.expiry, l.quantity, l.price, l.supplierId,
                 l.userId, l.place});
        const qint64 id = db.lastInsertId();
        db.exec(QStringLiteral("INSERT INTO shijikucun (试剂ID, 批号, 有效期, 数量, 单价, 存放地点, 供应商ID, 入库ID) "
                               "VALUES (?,?,?,?,?,?,?,?)"),
                {l.reagentId, l.batch, l.expiry, l.quantity, l.price, l.place, l.supplierId, QString::number(id)});
        t.commit();
    }
}
BENCHMARK(ReceiptSave_bare)->Name("receipt_save/bare")->Unit(benchmark::kMillisecond)->Iterations(200);

// Opening the catalogue (its deferred first list) and one search in its name box.
static void Catalogue_program(benchmark::State &state)
{
    bench::ProgramFolder folder;
    for (auto _ : state) {
        FrmSetProduct window;
        window.resize(1280, 800);
        window.show();
        auto *load = window.findChild<QTimer *>(QStringLiteral("TLoad"));
        while (load && load->isActive())
            QApplication::processEvents();
        window.findChild<QComboBox *>(QStringLiteral("CmbSJDM"))->setEditText(QStringLiteral("XQ"));
        benchmark::DoNotOptimize(window.findChild<FlexGrid *>(QStringLiteral("GridShow"))->Rows());
    }
    state.counters["peak_mb"] = bench::peakMemoryMb();
}
BENCHMARK(Catalogue_program)->Name("catalogue/program")->Unit(benchmark::kMillisecond);

static void Catalogue_bare(benchmark::State &state)
{
    bench::ProgramFolder folder;
    for (auto _ : state) {
        const auto whole = registers::wholeList(true);
        benchmark::DoNotOptimize(ModBase::DB()->select(registers::listSql(whole), whole.params));
        const auto found = registers::nameBoxSearch(QStringLiteral("XQ"), true);
        benchmark::DoNotOptimize(ModBase::DB()->select(registers::listSql(found), found.params));
    }
}
BENCHMARK(Catalogue_bare)->Name("catalogue/bare")->Unit(benchmark::kMillisecond);
