#include "QueriesFixture.h"

#include "queries/FrmQIn.h"
#include "widgets/DropDownCombo.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

class FrmQInTest : public QueriesFixture {
protected:
    void SetUp() override
    {
        QueriesFixture::SetUp();
        int day = 1;
        for (const QString &invoice : {u"12"_s, u"112"_s, u"A12"_s, u"120"_s, u"1%"_s, u"15"_s})
            store.line({.flag = 1, .number = 20260101001, .invoice = invoice, .date = {2026, 1, day++},
                        .reagent = serum, .price = 10, .supplier = beijing});
        store.line({.flag = 1, .number = 20260107001, .date = {2026, 1, 7}, .reagent = quoted, .price = 10,
                    .supplier = shanghai});
        store.line({.flag = 2, .invoice = u"912"_s, .reagent = serum, .supplier = beijing});
    }
    void TearDown() override
    {
        delete w.data();
        QueriesFixture::TearDown();
    }

    FrmQIn *open()
    {
        w = new FrmQIn;
        w->resize(1300, 700);
        w->show();
        return w;
    }

    QPointer<FrmQIn> w;
};

TEST_F(FrmQInTest, InvoiceEndingFindsOnlyLiteralEndings)
{
    open();
    ASSERT_TRUE(w->CmbFPH);
    typeInto(w->CmbFPH, u"12"_s);
    EXPECT_EQ(w->GridQ->Cols(), 18);
    EXPECT_EQ(column(w->GridQ, 15), (QStringList{u"12"_s, u"112"_s, u"A12"_s}));
    EXPECT_EQ(w->report().title, u"发票号“12”试剂入库报表"_s);
    EXPECT_EQ(w->report().kind, u"RegIn"_s);

    typeInto(w->CmbFPH, u"1%"_s);
    EXPECT_EQ(column(w->GridQ, 15), QStringList{u"1%"_s});
}

TEST_F(FrmQInTest, NameAndMakerAsTypedTitleTrimmed)
{
    open();
    EXPECT_FALSE(w->filter(u"CmbRLBM"_s));
    searchEach(w, {
        {"CmbSJDM", u"血清样本 "_s, u"本月（1月份）血清样本试剂入库报表"_s, 0},
        {"CmbSJDM", u"血清样本"_s, u"本月（1月份）血清样本试剂入库报表"_s, 6},
        {"CmbCS", u"某厂"_s, u"本月（1月份）厂商某厂试剂入库报表"_s, 1},
        {"CmbGYS", u" 上海科技 "_s, u"本月（1月份）上海科技供试剂入库报表"_s, 1},
        {"CmbSJDM", u"奥'布试剂"_s, u"本月（1月份）奥'布试剂试剂入库报表"_s, 1},
    });
}

TEST_F(FrmQInTest, FiltersCompareLatinLettersWithoutCase)
{
    latinLine(1);
    open();
    searchEach(w, {
        {"CmbGYS", u"abc PHARMA"_s, u"本月（1月份）abc PHARMA供试剂入库报表"_s, 1},
        {"CmbZB", u"Pcr组"_s, u"本月（1月份）Pcr组试剂入库报表"_s, 1},
        {"CmbSJDM", u"hbsag试剂"_s, u"本月（1月份）hbsag试剂试剂入库报表"_s, 1},
        {"CmbCS", u"ROCHE"_s, u"本月（1月份）厂商ROCHE试剂入库报表"_s, 1},
    });
}

TEST_F(FrmQInTest, SummaryKind)
{
    open();
    w->OptKind[1]->click();
    QTest::mouseClick(w->CmdQ, Qt::LeftButton);
    EXPECT_EQ(column(w->GridQ, 1), (QStringList{u"奥'布试剂"_s, u"血清样本"_s}));
    EXPECT_EQ(column(w->GridQ, 4), (QStringList{u"1"_s, u"6"_s}));
    EXPECT_EQ(w->report().kind, u"RegInHZ"_s);
    EXPECT_EQ(w->LabTip->text(), u"本月（1月份）试剂入库报表－共 2 条记录，总金额：70.00"_s);
}

} // namespace
