#include "QueriesFixture.h"

#include "RecordingShell.h"
#include "platform/Profile.h"
#include "queries/FrmQIn.h"
#include "queries/FrmQOut.h"
#include "queries/FrmQScrap.h"
#include "reports/FrmPrint.h"
#include "widgets/DatePicker.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class FrmQOutTest : public QueriesFixture {
protected:
    void SetUp() override
    {
        QueriesFixture::SetUp();
        // 血清样本 at two prices, one of its lines entered by a user since deleted (99);
        // 谷丙转氨酶 three times at 0.3333, each line worth 0.33 on screen.
        store.line({.flag = 2, .number = 20260101001, .date = {2026, 1, 1}, .reagent = serum, .quantity = 2,
                    .price = 10, .department = u"检验科"_s, .supplier = beijing});
        store.line({.flag = 2, .number = 20260102001, .date = {2026, 1, 2}, .reagent = serum, .price = 12.5,
                    .department = u"急诊科"_s, .supplier = beijing});
        for (int day = 3; day <= 5; ++day)
            store.line({.flag = 2, .number = 20260103001, .date = {2026, 1, day}, .reagent = alt, .price = 0.3333,
                        .department = u"检验科"_s, .supplier = beijing});
        store.line({.flag = 2, .number = 20260101001, .date = {2026, 1, 6}, .reagent = serum, .quantity = 2,
                    .price = 10, .supplier = beijing, .user = 99});
        store.line({.flag = 1, .number = 20260101001, .reagent = serum, .price = 10, .supplier = beijing});
        store.line({.flag = 3, .number = 20260101001, .reagent = serum, .price = 10, .supplier = beijing});
        store.line({.flag = 2, .number = 20251220001, .date = {2025, 12, 20}, .reagent = serum, .supplier = beijing});
    }
    void TearDown() override
    {
        delete w.data();
        QueriesFixture::TearDown();
    }

    FrmQOut *open()
    {
        w = new FrmQOut;
        w->resize(1300, 700);
        w->show();
        return w;
    }
    void search() { QTest::mouseClick(w->CmdQ, Qt::LeftButton); }

    QPointer<FrmQOut> w;
};

TEST_F(FrmQOutTest, DetailOfThePeriod)
{
    open();
    search();
    EXPECT_EQ(w->GridQ->Cols(), 20);
    EXPECT_EQ(w->GridQ->TextMatrix(0, 19), u"操作者"_s);
    EXPECT_EQ(w->GridQ->ColWidth(0), 0);
    // Group 生化 (sheng) before 微生物 (wei) in pinyin order; the deleted user's line is missing.
    EXPECT_EQ(column(w->GridQ, 2), (QStringList{u"血清样本"_s, u"血清样本"_s, u"谷丙转氨酶"_s, u"谷丙转氨酶"_s,
                                                u"谷丙转氨酶"_s}));
    EXPECT_EQ(column(w->GridQ, 9), (QStringList{u"20.00"_s, u"12.50"_s, u"0.33"_s, u"0.33"_s, u"0.33"_s}));
    // The total is the sum of the amounts shown.
    EXPECT_EQ(w->LabTip->text(), u"本月（1月份）试剂出库报表－共 5 条记录，总金额：33.49"_s);
    EXPECT_EQ(w->report().kind, u"RegOut"_s);
    EXPECT_EQ(w->report().total.units, 334900);
}

TEST_F(FrmQOutTest, SummaryPerReagentAndPrice)
{
    open();
    w->OptKind[1]->click();
    search();
    ASSERT_EQ(w->GridQ->Cols(), 8);
    const QList<QStringList> expected = {
        {u"血清样本"_s, u"4"_s, u"10.00"_s, u"40.00"_s}, // the deleted user's line counts here
        {u"血清样本"_s, u"1"_s, u"12.50"_s, u"12.50"_s},
        {u"谷丙转氨酶"_s, u"3"_s, u"0.33"_s, u"1.00"_s},
    };
    ASSERT_EQ(w->GridQ->Rows(), 4);
    for (int r = 1; r < w->GridQ->Rows(); ++r)
        EXPECT_EQ((QStringList{w->GridQ->TextMatrix(r, 1), w->GridQ->TextMatrix(r, 4), w->GridQ->TextMatrix(r, 6),
                               w->GridQ->TextMatrix(r, 7)}),
                  expected.at(r - 1));
    EXPECT_EQ(w->LabTip->text(), u"本月（1月份）试剂出库报表－共 3 条记录，总金额：53.50"_s);
    EXPECT_EQ(w->report().kind, u"RegOutHZ"_s);
}

TEST_F(FrmQOutTest, FiltersAndTheirTitles)
{
    store.line({.flag = 2, .number = 20260107001, .date = {2026, 1, 7}, .reagent = quoted, .price = 10,
                .department = u"O'Neil科"_s, .supplier = shanghai});
    open();
    searchEach(w, {
        {"CmbRLBM", u"急诊科"_s, u"本月（1月份）急诊科试剂出库报表"_s, 1},
        {"CmbRLBM", u"O'Neil科"_s, u"本月（1月份）O'Neil科试剂出库报表"_s, 1},
        {"CmbSJDM", u"血清样本 "_s, u"本月（1月份）血清样本试剂出库报表"_s, 2},
        {"CmbGYS", u"上海科技"_s, u"本月（1月份）上海科技供试剂出库报表"_s, 1},
        {"CmbZB", u"没有"_s, u"本月（1月份）没有试剂出库报表"_s, 0},
    });
    EXPECT_TRUE(w->LabTip->text().endsWith(u"－共 0 条记录，总金额：0.00"_s));
    EXPECT_EQ(w->GridQ->Rows(), 1);
}

TEST_F(FrmQOutTest, FiltersCompareLatinLettersWithoutCase)
{
    latinLine(2);
    open();
    searchEach(w, {
        {"CmbRLBM", u"icu"_s, u"本月（1月份）icu试剂出库报表"_s, 1},
        {"CmbZB", u"pcr组"_s, u"本月（1月份）pcr组试剂出库报表"_s, 1},
        {"CmbSJDM", u"HBSAG试剂"_s, u"本月（1月份）HBSAG试剂试剂出库报表"_s, 1},
        {"CmbGYS", u"abc pharma"_s, u"本月（1月份）abc pharma供试剂出库报表"_s, 1},
    });
}

TEST_F(FrmQOutTest, DocumentTypedDigitByDigitAndARefusedPeriod)
{
    open();
    typeInto(w->CmbDH, u"2026010100a1"_s);
    EXPECT_EQ(w->CmbDH->currentText(), u"20260101001"_s);
    EXPECT_EQ(column(w->GridQ, 15), QStringList{u"20260101001"_s});
    EXPECT_EQ(w->LabTip->text(), u"单号“20260101001”试剂出库报表－共 1 条记录，总金额：20.00"_s);

    w->DateRange->DTPrq[0]->setDate(QDate(2026, 1, 16));
    dialogs.expectExact(u"起始日期不能大于结束日期！"_s);
    search();
    EXPECT_EQ(w->GridQ->Rows(), 2);
    EXPECT_EQ(w->report().title, u"单号“20260101001”试剂出库报表"_s);
}

TEST_F(FrmQOutTest, AmountsRoundAHalfAwayFromZeroAndTheTotalSumsThemAsShown)
{
    // Quantity and price of each line, in date order; the binary products sit just below or
    // above the halves the figures make.
    const std::pair<double, double> lines[] = {{1, 0.125}, {2.5, 0.05}, {1, 1.005}, {1, 2.675}, {1, 1234567.895}};
    int day = 9;
    for (const auto &[quantity, price] : lines)
        store.line({.flag = 2, .number = 20260109001, .date = {2026, 1, day++}, .reagent = serum,
                    .quantity = quantity, .price = price, .supplier = beijing});
    ModBase::QueryOrder = 1;
    open();
    typeInto(w->CmbDH, u"20260109001"_s);
    EXPECT_EQ(column(w->GridQ, 9), (QStringList{u"0.13"_s, u"0.13"_s, u"1.01"_s, u"2.68"_s, u"1,234,567.90"_s}));
    EXPECT_EQ(w->LabTip->text(), u"单号“20260109001”试剂出库报表－共 5 条记录，总金额：1,234,571.85"_s);
    EXPECT_EQ(w->report().total.units, 12345718500);
}

TEST_F(FrmQOutTest, SortOrderIsSharedAndWaitsForTheNextSearch)
{
    ModBase::QueryOrder = 0;
    open();
    EXPECT_FALSE(w->Chorder->isChecked());
    search();
    const QStringList byGroup = column(w->GridQ, 1);
    w->Chorder->click();
    EXPECT_EQ(column(w->GridQ, 1), byGroup);
    EXPECT_EQ(ModBase::QueryOrder, 1);
    EXPECT_EQ(platform::profile::read(ModBase::IniFile, u"查询排序"_s, u"查询排序"_s), u"1"_s);
    search();
    EXPECT_EQ(column(w->GridQ, 1), (QStringList{u"2026-01-01"_s, u"2026-01-02"_s, u"2026-01-03"_s,
                                                u"2026-01-04"_s, u"2026-01-05"_s}));
    delete w.data();

    const std::unique_ptr<FrmMovementQuery> others[] = {std::make_unique<FrmQIn>(), std::make_unique<FrmQScrap>()};
    for (const auto &other : others) {
        EXPECT_TRUE(other->Chorder->isChecked()) << other->objectName().toStdString();
        other->Chorder->click();
        EXPECT_EQ(ModBase::QueryOrder, 0);
        other->Chorder->click();
    }
}

TEST_F(FrmQOutTest, HeaderClickSorts)
{
    open();
    search();
    QHeaderView *header = w->GridQ->horizontalHeader();
    const QPoint amount(header->sectionViewportPosition(9) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, amount);
    EXPECT_EQ(w->GridQ->TextMatrix(0, 9), u"金额↑"_s);
    EXPECT_EQ(column(w->GridQ, 9), (QStringList{u"20.00"_s, u"12.50"_s, u"0.33"_s, u"0.33"_s, u"0.33"_s}));
}

TEST_F(FrmQOutTest, PrintAndExportHandOverTheLastResult)
{
    RecordingShell shell;
    open();
    // Nothing to print or export yet: no window, no file.
    QTest::mouseClick(w->CmdPrint, Qt::LeftButton);
    QTest::mouseClick(w->CmdDH, Qt::LeftButton);

    w->OptKind[1]->click();
    search();
    dialogs.expectDialog(u"FrmPrint"_s, [](QDialog *) {
        EXPECT_EQ(ModBase::PrintGrid.rowCount(), 3);
        EXPECT_EQ(ModBase::PrintKind, u"RegOutHZ"_s);
        EXPECT_EQ(ModBase::PrintTitle, u"本月（1月份）试剂出库报表"_s);
        EXPECT_EQ(ModBase::PrintTotal.units, 535000);
        return 0;
    });
    QTest::mouseClick(w->CmdPrint, Qt::LeftButton);

    dialogs.expect(u"报表导出成功！"_s);
    QTest::mouseClick(w->CmdDH, Qt::LeftButton);
    const QStringList files = QDir(dir.file(u"报表"_s)).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith(u"本月（1月份）试剂出库报表("_s)) << files[0].toStdString();
    EXPECT_TRUE(files[0].endsWith(u".xls"_s));
    EXPECT_TRUE(dialogs.done());
}

} // namespace
