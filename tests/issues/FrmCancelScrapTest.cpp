#include "OutReversalFixture.h"

#include "issues/FrmCancelScrap.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"


using namespace Qt::StringLiterals;
using platform::Answer;

namespace {

class FrmCancelScrapTest : public OutReversalFixture<FrmCancelScrap> {
protected:
    void SetUp() override
    {
        OutReversalFixture::SetUp();
        line(2, serum, 20260105001, QDate(2026, 1, 5), "检验科", "出库", zhang);
        line(3, serum, 20260105001, QDate(2026, 1, 6), "检验科", "甲", zhang, 2, "过期");
        line(3, alt, 20260106001, QDate(2026, 1, 7), "质控室", "乙", zhang, 10, "破损");
    }
};

} // namespace

TEST_F(FrmCancelScrapTest, ListsScrapLinesWithTheirReason)
{
    open();
    EXPECT_EQ(w->windowTitle(), u"撤销报损"_s);
    EXPECT_EQ(w->CmdChData->text(), u"撤消报损(&C)"_s);
    typeInto(w->CmbDH, u"20260105001"_s);
    EXPECT_EQ(claimants(), QStringList{u"甲"_s});
    EXPECT_EQ(w->GridQ->Cols(), 20);
    EXPECT_EQ(w->GridQ->TextMatrix(0, 17), u"报损原因"_s);
    EXPECT_EQ(w->GridQ->TextMatrix(1, 17), u"过期"_s);
    EXPECT_EQ(w->GridQ->TextMatrix(1, 18), u"20260105001"_s);
    EXPECT_EQ(w->GridQ->TextMatrix(1, 19), QString::number(serum.receipt));
    for (const auto &[col, width] : {std::pair{17, 1000}, {18, 1300}, {19, 0}})
        EXPECT_EQ(w->GridQ->ColWidth(col), width) << col;

    search();
    EXPECT_EQ(claimants(), (QStringList{u"乙"_s, u"甲"_s}));
}

// The department list offers the departments of issue lines only.
TEST_F(FrmCancelScrapTest, ADepartmentOnlyOnScrapLinesIsTypedByHand)
{
    open();
    EXPECT_EQ(dropDown(w->CmbRLBM), (QStringList{QString(), u"检验科"_s}));
    typeInto(w->CmbRLBM, u"质控室"_s);
    search();
    EXPECT_EQ(claimants(), QStringList{u"乙"_s});
}

// The lot scrapped to the end is made again with the scrapped quantity, at its receipt's price.
TEST_F(FrmCancelScrapTest, AScrappedLotComesBack)
{
    db().exec(u"DELETE FROM shijikucun WHERE 试剂ID=?"_s, {alt.id});
    open();
    typeInto(w->CmbDH, u"20260106001"_s);
    select(1, 1);
    dialogs.expectExact(u"确定撤消第1行报损记录？"_s, Answer::Yes);
    QTest::mouseClick(w->CmdChData, Qt::LeftButton);
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(w->GridQ->Rows(), 1);
    const dao::Result lot = db().select(u"SELECT 数量, 单价, 入库ID FROM shijikucun WHERE 试剂ID=?"_s, {alt.id});
    ASSERT_EQ(lot.size(), 1);
    EXPECT_EQ(lot[0][0].toDouble(), 10);
    EXPECT_EQ(lot[0][1].toDouble(), 10);
    EXPECT_EQ(lot[0].text(2), QString::number(alt.receipt));
}
