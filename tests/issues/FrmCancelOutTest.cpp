#include "OutReversalFixture.h"

#include "issues/FrmCancelOut.h"
#include "widgets/DatePicker.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"

#include <QLineEdit>

#include <functional>

using namespace Qt::StringLiterals;
using platform::Answer;

namespace {

// This month, in the window's order (group, name, date): 乙, 丙, 甲; 丁 last month.
class FrmCancelOutTest : public OutReversalFixture<FrmCancelOut> {
protected:
    void SetUp() override
    {
        OutReversalFixture::SetUp();
        line(2, serum, 20260105001, QDate(2026, 1, 5), "检验科", "甲", zhang, 2);
        line(2, alt, 20260105001, QDate(2026, 1, 6), "急诊科", "乙", zhang);
        line(2, hbv, 20260110001, QDate(2026, 1, 10), "检验科", "丙", ModBase::UserID);
        line(2, serum, 20251220001, QDate(2025, 12, 20), "门诊部", "丁", zhang);
        line(3, serum, 20260110001, QDate(2026, 1, 10), "检验科", "报损", zhang);
    }
};

} // namespace

TEST_F(FrmCancelOutTest, ADocumentNumberTypedDigitByDigit)
{
    open();
    EXPECT_EQ(w->windowTitle(), u"撤销出库"_s);
    EXPECT_EQ(w->GridQ->Rows(), 1);
    EXPECT_FALSE(w->CmdChData->isEnabled());

    typeInto(w->CmbDH, u"2026011000"_s);
    EXPECT_EQ(w->GridQ->Rows(), 1);
    EXPECT_EQ(w->GridQ->TextMatrix(0, 17), u"单号"_s);
    QTest::keyClick(w->CmbDH->lineEdit(), Qt::Key_1);
    EXPECT_EQ(claimants(), QStringList{u"丙"_s});
    EXPECT_EQ(w->GridQ->TextMatrix(1, 17), u"20260110001"_s);
    EXPECT_EQ(w->GridQ->TextMatrix(1, 18), QString::number(hbv.receipt));
    EXPECT_EQ(w->GridQ->TextMatrix(1, 11), u"11.00"_s);
    for (const auto &[col, width] : {std::pair{0, 0}, {3, 1850}, {12, 0}, {15, 1000}, {17, 1300}, {18, 0}})
        EXPECT_EQ(w->GridQ->ColWidth(col), width) << col;

    // Letters never reach the number.
    typeInto(w->CmbDH, u"2026010500a1"_s);
    EXPECT_EQ(w->CmbDH->currentText(), u"20260105001"_s);
    EXPECT_EQ(claimants(), (QStringList{u"乙"_s, u"甲"_s}));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FrmCancelOutTest, PeriodAndFilters)
{
    struct Case {
        const char *name;
        std::function<void(FrmCancelOut *)> set;
        QStringList found;
    };
    const Case cases[] = {
        {"this month", [](FrmCancelOut *) {}, {u"乙"_s, u"丙"_s, u"甲"_s}},
        {"department, an exact trimmed name",
         [](FrmCancelOut *f) { typeInto(f->CmbRLBM, u"检验科 "_s); }, {u"丙"_s, u"甲"_s}},
        {"part of a department's name", [](FrmCancelOut *f) { typeInto(f->CmbRLBM, u"检验"_s); }, {}},
        {"blanks alone as department", [](FrmCancelOut *f) { typeInto(f->CmbRLBM, u"  "_s); }, {}},
        {"department with a quote", [](FrmCancelOut *f) { typeInto(f->CmbRLBM, u"检'验科"_s); }, {}},
        {"group", [](FrmCancelOut *f) { typeInto(f->CmbZB, u"生化"_s); }, {u"甲"_s}},
        {"name containing a character, every date",
         [](FrmCancelOut *f) {
             f->DateRange->selectOption(daterange::Unlimited);
             typeInto(f->CmbSJDM, u"清"_s);
         },
         {u"丁"_s, u"甲"_s}},
        {"department and group together",
         [](FrmCancelOut *f) {
             typeInto(f->CmbRLBM, u"检验科"_s);
             typeInto(f->CmbZB, u"免疫"_s);
         },
         {u"丙"_s}},
        {"last month", [](FrmCancelOut *f) { f->DateRange->selectOption(daterange::LastMonth); }, {u"丁"_s}},
        {"one day",
         [](FrmCancelOut *f) {
             f->DateRange->selectOption(daterange::Custom);
             f->DateRange->DTPrq[0]->setDate(QDate(2026, 1, 6));
             f->DateRange->DTPrq[1]->setDate(QDate(2026, 1, 6));
         },
         {u"乙"_s}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        delete w.data();
        open();
        c.set(w);
        search();
        EXPECT_EQ(claimants(), c.found);
        EXPECT_TRUE(dialogs.shown().isEmpty());
    }
}

TEST_F(FrmCancelOutTest, ListsAreFilledOnceFromIssueLines)
{
    line(2, serum, 20220101001, QDate(2022, 1, 1), "体检中心", "旧", zhang);
    open();
    // Documents of the last 1200 days, newest first, no blank.
    EXPECT_EQ(dropDown(w->CmbDH), (QStringList{u"20260110001"_s, u"20260105001"_s, u"20251220001"_s}));
    EXPECT_EQ(dropDown(w->CmbRLBM), (QStringList{QString(), u"急诊科"_s, u"检验科"_s, u"门诊部"_s, u"体检中心"_s}));
    EXPECT_EQ(dropDown(w->CmbZB), (QStringList{QString(), u"急诊生化"_s, u"免疫"_s, u"生化"_s}));

    line(2, serum, 20260115001, QDate(2026, 1, 15), "病理科", "戊", zhang);
    EXPECT_EQ(dropDown(w->CmbDH).first(), u"20260110001"_s);
    EXPECT_FALSE(dropDown(w->CmbRLBM).contains(u"病理科"_s));
}

TEST_F(FrmCancelOutTest, AReversedPeriodIsRefusedAndTheGridKept)
{
    open();
    search();
    w->DateRange->selectOption(daterange::Custom);
    w->DateRange->DTPrq[0]->setDate(QDate(2026, 1, 16));
    dialogs.expectExact(u"起始日期不能大于结束日期！"_s);
    search();
    EXPECT_EQ(claimants().size(), 3);
}

namespace {

// The current row and the row the selection ends on.
class FrmCancelOutSelection : public FrmCancelOutTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

} // namespace

// 张三 selects rows 1 to 3, row 2 being the administrator's line: rows 1 and 3 go back to
// their lots, the refused line stays.
TEST_P(FrmCancelOutSelection, AnotherUsersLineInTheMiddleStays)
{
    logIn({.name = u"张三"_s, .code = u"02"_s, .super = false});
    open();
    search();
    select(GetParam().first, GetParam().second);
    ASSERT_TRUE(w->CmdChData->isEnabled());
    dialogs.expectExact(u"确定撤消1 ～ 3行出库记录？"_s, Answer::Yes)
        .expectExact(u"当前用户“张三”，不能撤销用户“管理员”登记的数据\n\n"
                     "只有登记本条数据的用户本身，或超级用户才能作撤销操作。"_s);
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(dialogs.shown().last().title, u"没有权限！"_s);
    EXPECT_EQ(claimants(), QStringList{u"丙"_s});
    EXPECT_FALSE(w->CmdChData->isEnabled());
    EXPECT_EQ(lotQuantity(alt), 11);
    EXPECT_EQ(lotQuantity(serum), 12);
    EXPECT_EQ(lotQuantity(hbv), 10);
    EXPECT_EQ(count(u"shijibiandongdengji WHERE 变动标志=2"_s), 2);

    // A second search shows the register as it now is.
    search();
    EXPECT_EQ(claimants(), QStringList{u"丙"_s});
}

INSTANTIATE_TEST_SUITE_P(DownAndUp, FrmCancelOutSelection, ::testing::Values(std::pair{1, 3}, std::pair{3, 1}));

TEST_F(FrmCancelOutTest, TheOnlyRowLeavesTheHeader)
{
    open();
    typeInto(w->CmbDH, u"20260110001"_s);
    select(1, 1);
    dialogs.expectExact(u"确定撤消第1行出库记录？"_s, Answer::Yes);
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);
    EXPECT_EQ(w->GridQ->Rows(), 1);
    EXPECT_EQ(ModBase::CurSJID, hbv.id);
    EXPECT_EQ(lotQuantity(hbv), 11);
}

TEST_F(FrmCancelOutTest, NoOrAWrongPasswordReversesNothing)
{
    ModBase::PSWProtect = true;
    open();
    search();
    select(1, 3);
    dialogs.expect(u"确定撤消1 ～ 3行"_s, Answer::No);
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);

    dialogs.expect(u"确定撤消1 ～ 3行"_s, Answer::Yes)
        .expectDialog(u"FrmCheckPSW"_s, password(u"52"_s))
        .expectExact(u"密码不符！取消操作"_s);
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(dialogs.shown().last().title, u"警告！"_s);
    EXPECT_EQ(claimants().size(), 3);
    EXPECT_EQ(count(u"shijibiandongdengji"_s), 8);
    EXPECT_EQ(lotQuantity(serum), 10);

    // One prompt for the whole run.
    dialogs.expect(u"确定撤消1 ～ 3行"_s, Answer::Yes).expectDialog(u"FrmCheckPSW"_s, password(u"526"_s));
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);
    EXPECT_EQ(w->GridQ->Rows(), 1);
    EXPECT_EQ(count(u"shijibiandongdengji"_s), 5);
}
