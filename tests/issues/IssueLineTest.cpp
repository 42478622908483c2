#include "IssueFixture.h"
#include "StockLimitCases.h"

#include "dao/Database.h"
#include "issues/IssueLine.h"
#include "shell/ModBase.h"

namespace {

using issues::IssueLine;
using issues::IssueResult;
using issues::LowStock;

class IssueLineTest : public IssueFixture {
protected:
    IssueLine lineOf(qint64 lotId, double quantity)
    {
        IssueLine line;
        line.number = 20260115001;
        line.date = today();
        line.lotId = lotId;
        line.quantity = quantity;
        line.price = 11;
        line.department = QStringLiteral("检验科");
        line.claimant = QStringLiteral("张三");
        line.userId = ModBase::UserID;
        return line;
    }
};

TEST_F(IssueLineTest, TheRecordTakesTheLotValuesFromTheStore)
{
    const IssueResult r = issues::saveIssueLine(db(), lineOf(serumLate, 4));
    ASSERT_TRUE(r.saved);
    EXPECT_DOUBLE_EQ(r.remaining, 6);
    EXPECT_EQ(lotQuantity(serumLate).toDouble(), 6);
    const dao::Result rows = db().select(QStringLiteral(
        "SELECT 变动标志, 单号, 登记日期, 试剂ID, 批号, 有效期, 数量, 单价, 认领部门, 认领人, 供应商ID, 操作者ID, "
        "存放地点, 入库ID, 发票号, 报损原因 FROM shijibiandongdengji WHERE 变动标志=2"));
    ASSERT_EQ(rows.size(), 1);
    const QString receipt =
        db().scalar(QStringLiteral("SELECT 入库ID FROM shijikucun WHERE 库存ID=?"), {serumLate}).toString();
    const QVariantList expected = {2, 20260115001LL, QStringLiteral("2026-01-15"), serum, QStringLiteral("B2"),
                                   QStringLiteral("2026-06-30"), 4.0, 11.0, QStringLiteral("检验科"),
                                   QStringLiteral("张三"), supplier, ModBase::UserID, QStringLiteral("一号冰箱"),
                                   receipt};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rows[0].text(i), expected.at(i).toString()) << i;
    EXPECT_TRUE(rows[0].isNull(14));
    EXPECT_TRUE(rows[0].isNull(15));
}

TEST_F(IssueLineTest, TheLotShrinksOrGoesAndTheTipFollowsTheLowLimit)
{
    struct Case {
        const char *name;
        QVariant low;
        double quantity;
        QVariant left; // Null: the lot was deleted
        LowStock::Kind tip;
        const char *total, *limit;
    };
    const Case cases[] = {
        {"part of a lot, no limit", QVariant(), 4, 1.0, LowStock::None, "", ""},
        {"the whole lot", QVariant(), 5, QVariant(), LowStock::Empty, "", ""},
        {"the rest equals the limit", 2.0, 3, 2.0, LowStock::None, "", ""},
        {"the rest below the limit", 10.0, 0.5, 4.5, LowStock::Below, "4.5", "10"},
        {"two decimals kept", 10.0, 1.25, 3.75, LowStock::Below, "3.75", "10"},
    };
    for (const Case &c : cases) {
        db().exec(QStringLiteral("UPDATE shijijibenxinxi SET 库存低限=? WHERE 试剂ID=?"), {c.low, counter});
        db().exec(QStringLiteral("UPDATE shijikucun SET 数量=5 WHERE 库存ID=?"), {counterLot});
        if (lotQuantity(counterLot).isNull())
            counterLot = lot(counter, 5, QDate(2026, 9, 30), 20, QStringLiteral("C1"));
        const IssueResult r = issues::saveIssueLine(db(), lineOf(counterLot, c.quantity));
        ASSERT_TRUE(r.saved) << c.name;
        EXPECT_EQ(lotQuantity(counterLot), c.left) << c.name;
        EXPECT_EQ(r.tip.kind, c.tip) << c.name;
        EXPECT_EQ(r.tip.total, QString::fromLatin1(c.total)) << c.name;
        EXPECT_EQ(r.tip.limit, QString::fromLatin1(c.limit)) << c.name;
    }
}

TEST_F(IssueLineTest, TheTipComparesTheRestWithTheLimitAsTheyRead)
{
    for (const StockLimitCase &c : stockLimitCases()) {
        const std::string what =
            QStringLiteral("limit %1, rest %2").arg(c.limit, 0, 'g', 10).arg(c.total, 0, 'g', 10).toStdString();
        db().exec(QStringLiteral("DELETE FROM shijikucun WHERE 试剂ID=?"), {counter});
        db().exec(QStringLiteral("UPDATE shijijibenxinxi SET 库存低限=? WHERE 试剂ID=?"),
                  {registerLimit(c.limit), counter});
        lot(counter, c.total, QDate(2026, 8, 31), 20, QStringLiteral("C0"));
        // The whole of this lot goes, so the rest is the other lot's.
        const qint64 taken = lot(counter, 5, QDate(2026, 9, 30), 20, QStringLiteral("C1"));
        const IssueResult r = issues::saveIssueLine(db(), lineOf(taken, 5));
        ASSERT_TRUE(r.saved) << what;
        EXPECT_EQ(r.tip.kind, c.side < 0 ? LowStock::Below : LowStock::None) << what;
        if (c.side < 0) {
            EXPECT_EQ(r.tip.total, QString::number(c.total, 'g', 10)) << what;
            EXPECT_EQ(r.tip.limit, QString::number(c.limit, 'g', 10)) << what;
        }
    }
}

TEST_F(IssueLineTest, TwoWorkstationsCannotTakeMoreThanTheLotHolds)
{
    const auto other = dao::Database::open(ModBase::DBFile, ModBase::DBPassword);
    EXPECT_TRUE(issues::saveIssueLine(db(), lineOf(serumLate, 6)).saved);
    const IssueResult late = issues::saveIssueLine(*other, lineOf(serumLate, 6));
    EXPECT_FALSE(late.saved);
    EXPECT_DOUBLE_EQ(late.stored, 4);
    EXPECT_EQ(lotQuantity(serumLate).toDouble(), 4);
    EXPECT_EQ(issueLines(), 1);
}

TEST_F(IssueLineTest, AFailureLeavesNeitherRecordNorLotChange)
{
    db().exec(QStringLiteral("CREATE TRIGGER lot_locked BEFORE UPDATE ON shijikucun "
                             "BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    EXPECT_ANY_THROW(issues::saveIssueLine(db(), lineOf(serumLate, 4)));
    EXPECT_EQ(issueLines(), 0);
    EXPECT_EQ(lotQuantity(serumLate).toDouble(), 10);

    db().exec(QStringLiteral("DELETE FROM shijikucun WHERE 库存ID=?"), {serumEarly});
    EXPECT_THROW(issues::saveIssueLine(db(), lineOf(serumEarly, 1)), issues::LotGone);
    EXPECT_EQ(issueLines(), 0);
}

TEST_F(IssueLineTest, TheLastIssueOfAReagent)
{
    EXPECT_EQ(issues::lastIssueQuantity(db(), serum), std::nullopt);
    store.line({.flag = 2, .reagent = serum, .quantity = 30});
    store.line({.flag = 3, .reagent = serum, .quantity = 7});
    store.line({.flag = 2, .reagent = counter, .quantity = 9});
    EXPECT_EQ(issues::lastIssueQuantity(db(), serum), 30.0);
}

} // namespace
