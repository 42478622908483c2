#include "PasswordPrompt.h"
#include "ReceiptsFixture.h"

#include "receipts/FrmCancelIn.h"
#include "widgets/DatePicker.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using platform::Answer;

class FrmCancelInTest : public ReceiptsFixture {
protected:
    void SetUp() override
    {
        ReceiptsFixture::SetUp();
        store.user({.name = QStringLiteral("李四"), .code = QStringLiteral("ls"), .super = false});
        // In the window's order (group, name, date) this month's lines are 880, X1, A188, 88.
        receive(1, 20260105001, "A188", QDate(2026, 1, 5), 1);
        receive(1, 20260105001, "88", QDate(2026, 1, 6), 1);
        receive(3, 20260110001, "880", QDate(2026, 1, 10), 1);
        receive(4, 20260110001, "X1", QDate(2026, 1, 11), 2);
        receive(2, 20251220001, "B2", QDate(2025, 12, 20), 1);
    }
    void TearDown() override
    {
        delete w.data();
        ReceiptsFixture::TearDown();
    }

    void receive(qint32 reagent, qint64 number, const char *invoice, const QDate &date, qint32 user)
    {
        store.receipt({.number = number, .invoice = QString::fromUtf8(invoice), .date = date, .reagent = reagent,
                       .quantity = 2, .price = 10, .supplier = 1, .user = user, .place = QStringLiteral("一号冰箱")});
    }

    FrmCancelIn *open()
    {
        w = new FrmCancelIn;
        w->resize(1200, 700);
        w->show();
        return w;
    }

    // The invoice numbers of the listed lines, in grid order.
    QStringList invoices() const
    {
        QStringList out;
        for (int r = 1; r < w->GridQ->Rows(); ++r)
            out << w->GridQ->TextMatrix(r, 19);
        return out;
    }

    // A click on a data row, as the user picks a line; then the selection from row to rowSel.
    void select(int row, int rowSel)
    {
        const QRect cell = w->GridQ->visualRect(w->GridQ->model()->index(row - 1, 3));
        QTest::mouseClick(w->GridQ->viewport(), Qt::LeftButton, {}, cell.center());
        w->GridQ->setRow(row);
        w->GridQ->setRowSel(rowSel);
    }

    void listThisMonth()
    {
        QTest::mouseClick(w->CmdQ, Qt::LeftButton);
        ASSERT_EQ(invoices(), (QStringList{u"880"_s, u"X1"_s, u"A188"_s, u"88"_s}));
    }

    qint64 lines() { return count(QStringLiteral("shijibiandongdengji")); }
    qint64 lots() { return count(QStringLiteral("shijikucun")); }

    QPointer<FrmCancelIn> w;
};

} // namespace

TEST_F(FrmCancelInTest, OpensWithTheDefaultPeriodAndAnEmptyGrid)
{
    ModBase::QueryDate = 1;
    open();
    EXPECT_TRUE(w->DateRange->OptRQ[1]->isChecked());
    EXPECT_EQ(w->DateRange->startDate(), QDate(2025, 12, 1));
    EXPECT_EQ(w->GridQ->Rows(), 1);
    EXPECT_FALSE(w->CmdChData->isEnabled());

    QTest::mouseClick(w->CmdQ, Qt::LeftButton);
    EXPECT_EQ(invoices(), QStringList{u"B2"_s});
    w->DateRange->selectOption(daterange::ThisMonth);
    typeInto(w->CmbSJDM, u"没有"_s);
    QTest::mouseClick(w->CmdQ, Qt::LeftButton);
    ASSERT_EQ(w->GridQ->Rows(), 1);
    QTest::mouseClick(w->GridQ->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(w->CmdChData->isEnabled());
}

TEST_F(FrmCancelInTest, Filters)
{
    struct Case {
        const char *name;
        std::function<void(FrmCancelIn *)> search;
        QStringList found;
    };
    const auto query = [](FrmCancelIn *f) { QTest::mouseClick(f->CmdQ, Qt::LeftButton); };
    const Case cases[] = {
        {"document number", [](FrmCancelIn *f) { typeInto(f->CmbDH, u"20260105001"_s); }, {u"A188"_s, u"88"_s}},
        {"letters cannot be typed as a number", [](FrmCancelIn *f) { typeInto(f->CmbDH, u"2026011000a1"_s); },
         {u"880"_s, u"X1"_s}},
        {"invoice ending", [](FrmCancelIn *f) { typeInto(f->CmbFPH, u"88"_s); }, {u"A188"_s, u"88"_s}},
        {"invoice with a quote", [](FrmCancelIn *f) { typeInto(f->CmbFPH, u"'8"_s); }, {}},
        {"group",
         [query](FrmCancelIn *f) {
             typeInto(f->CmbZB, u"生化"_s);
             query(f);
         },
         {u"A188"_s, u"88"_s}},
        {"name containing one character, every date",
         [query](FrmCancelIn *f) {
             f->DateRange->selectOption(daterange::Unlimited);
             typeInto(f->CmbSJDM, u"血"_s);
             query(f);
         },
         {u"B2"_s, u"A188"_s, u"88"_s}},
        {"name with a wildcard of its own",
         [query](FrmCancelIn *f) {
             typeInto(f->CmbSJDM, u"%"_s);
             query(f);
         },
         {}},
        {"last month",
         [query](FrmCancelIn *f) {
             f->DateRange->selectOption(daterange::LastMonth);
             query(f);
         },
         {u"B2"_s}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        delete w.data();
        open();
        c.search(w);
        EXPECT_EQ(invoices(), c.found);
        EXPECT_TRUE(dialogs.shown().isEmpty());
    }
}

TEST_F(FrmCancelInTest, EachDigitOfADocumentNumberQueriesAgain)
{
    open();
    typeInto(w->CmbDH, u"2026010500"_s);
    EXPECT_EQ(w->GridQ->Rows(), 1);
    EXPECT_EQ(w->GridQ->TextMatrix(0, 19), u"发票号"_s);
    QTest::keyClick(w->CmbDH->lineEdit(), '1'); // the eleventh digit
    EXPECT_EQ(invoices(), (QStringList{u"A188"_s, u"88"_s}));
    EXPECT_EQ(w->GridQ->TextMatrix(1, 18), u"20260105001"_s);
    EXPECT_EQ(w->GridQ->TextMatrix(1, 11), u"20.00"_s);
    EXPECT_EQ(w->GridQ->ColWidth(0), 0);
    EXPECT_EQ(w->GridQ->ColWidth(3), 2550);
}

TEST_F(FrmCancelInTest, ReversedPeriodIsRefusedAndTheGridKept)
{
    open();
    listThisMonth();
    w->DateRange->selectOption(daterange::Custom);
    w->DateRange->DTPrq[0]->setDate(QDate(2026, 1, 16));
    dialogs.expectExact(u"起始日期不能大于结束日期！"_s);
    QTest::mouseClick(w->CmdQ, Qt::LeftButton);
    EXPECT_EQ(invoices().size(), 4);
}

namespace {

// The current row and the row the selection ends on.
class SelectionTest : public FrmCancelInTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

} // namespace

// Rows 1 to 3 selected, row 2 belonging to 李四: rows 1 and 3 go, the refused line stays.
TEST_P(SelectionTest, OneRefusedRowLeavesTheOthersReversed)
{
    open();
    listThisMonth();
    select(GetParam().first, GetParam().second);
    ASSERT_TRUE(w->CmdChData->isEnabled());
    dialogs.expectExact(u"确定撤消1 ～ 3行入库记录？"_s, Answer::Yes);
    dialogs.expect(u"当前用户“张三”，不能撤销用户“李四”登记的数据"_s);
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(invoices(), (QStringList{u"X1"_s, u"88"_s}));
    EXPECT_EQ(lines(), 3);
    EXPECT_EQ(lots(), 3);
    EXPECT_EQ(db().scalar(u"SELECT COUNT(*) FROM shijibiandongdengji WHERE 发票号 IN ('880', 'A188')"_s).toInt(), 0);
    EXPECT_FALSE(w->CmdChData->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(DownAndUp, SelectionTest, ::testing::Values(std::pair{1, 3}, std::pair{3, 1}));

TEST_F(FrmCancelInTest, TheOnlyRowLeavesTheHeader)
{
    open();
    typeInto(w->CmbFPH, u"880"_s);
    select(1, 1);
    dialogs.expectExact(u"确定撤消第1行入库记录？"_s, Answer::Yes);
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);
    EXPECT_EQ(w->GridQ->Rows(), 1);
    EXPECT_EQ(lines(), 4);
    EXPECT_EQ(ModBase::CurSJID, 3);
}

TEST_F(FrmCancelInTest, NoOrAWrongPasswordReversesNothing)
{
    ModBase::PSWProtect = true;
    ModBase::UserPSW = u"526"_s;
    open();
    listThisMonth();
    select(1, 1);
    dialogs.expect(u"确定撤消第1行"_s, Answer::No);
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);

    dialogs.expect(u"确定撤消第1行"_s, Answer::Yes)
        .expectDialog(u"FrmCheckPSW"_s, password(u"52"_s))
        .expectExact(u"密码不符！取消操作"_s);
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(dialogs.shown().last().title, u"警告！"_s);
    EXPECT_EQ(invoices().size(), 4);
    EXPECT_EQ(lines(), 5);

    dialogs.expect(u"确定撤消第1行"_s, Answer::Yes).expectDialog(u"FrmCheckPSW"_s, password(u"526"_s));
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);
    EXPECT_EQ(invoices(), (QStringList{u"X1"_s, u"A188"_s, u"88"_s}));
    EXPECT_EQ(lines(), 4);
}
