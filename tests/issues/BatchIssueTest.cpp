#include "IssueFixture.h"

#include "dao/Database.h"
#include "issues/BatchIssue.h"

#include <functional>

namespace {

class BatchIssueTest : public IssueFixture {
protected:
    // A receipt line with the lot it created.
    qint64 received(qint32 reagent, double quantity, double price, const QString &batch, qint64 number = 20260110001)
    {
        return store.receipt({.number = number, .date = QDate(2026, 1, 10), .reagent = reagent, .batch = batch,
                              .expiry = QDate(2026, 12, 31), .quantity = quantity, .price = price,
                              .supplier = supplier, .place = QStringLiteral("一号冰箱")});
    }
    // The same line from before lots remembered their receipt: its lot names none.
    qint64 receivedUnremembered(qint32 reagent, double quantity, double price, const QString &batch)
    {
        const qint64 id = store.line({.flag = 1, .number = 20260110001, .reagent = reagent, .batch = batch,
                                      .quantity = quantity, .price = price, .supplier = supplier});
        store.lot({.reagent = reagent, .batch = batch, .quantity = quantity, .price = price, .supplier = supplier});
        return id;
    }
    qint64 ownLot(qint64 receiptLine)
    {
        return db().scalar(QStringLiteral("SELECT 库存ID FROM shijikucun WHERE 入库ID=?"), {QString::number(receiptLine)})
            .toLongLong();
    }
    static issues::BatchIssue batch()
    {
        return {20260115007, QDate(2026, 1, 15), QStringLiteral("检验科"), QStringLiteral("张三"), ModBase::UserID};
    }
    qint64 lots() { return count(QStringLiteral("shijikucun")); }
};

TEST_F(BatchIssueTest, EveryLineIsIssuedWholeFromItsOwnLot)
{
    ModBase::OutRate = 1.5; // a batch issues at the received price
    const qint64 first = received(serum, 3, 12.5, QStringLiteral("B9"));
    const qint64 twin = received(serum, 3, 12.5, QStringLiteral("B9"));
    const qint64 other = received(counter, 0.25, 40, QStringLiteral("C9"));
    const qint64 lotsBefore = lots();

    ASSERT_EQ(issues::saveBatchIssue(db(), batch(), {first, twin, other}), -1);
    EXPECT_EQ(lots(), lotsBefore - 3);
    EXPECT_EQ(ownLot(first), 0);
    EXPECT_EQ(ownLot(twin), 0);
    const dao::Result issued = db().select(
        QStringLiteral("SELECT 入库ID, 单号, 登记日期, 试剂ID, 批号, 数量, 单价, 认领部门, 认领人, 操作者ID, 存放地点, 发票号 "
                       "FROM shijibiandongdengji WHERE 变动标志=2 ORDER BY 登记ID"));
    ASSERT_EQ(issued.size(), 3);
    EXPECT_EQ(issued[0].text(0), QString::number(first));
    EXPECT_EQ(issued[1].text(0), QString::number(twin));
    EXPECT_EQ(issued[2].text(0), QString::number(other));
    EXPECT_EQ(issued[2][1].toLongLong(), 20260115007);
    EXPECT_EQ(issued[2].text(2), QStringLiteral("2026-01-15"));
    EXPECT_EQ(issued[2][3].toInt(), counter);
    EXPECT_EQ(issued[2].text(4), QStringLiteral("C9"));
    EXPECT_EQ(issued[2][5].toDouble(), 0.25);
    EXPECT_EQ(issued[2][6].toDouble(), 40);
    EXPECT_EQ(issued[2].text(7), QStringLiteral("检验科"));
    EXPECT_EQ(issued[2].text(8), QStringLiteral("张三"));
    EXPECT_EQ(issued[2][9].toInt(), ModBase::UserID);
    EXPECT_EQ(issued[2].text(10), QStringLiteral("一号冰箱"));
    EXPECT_TRUE(issued[2].isNull(11));
}

// Each case leaves the second of two receipt lines without its whole lot: the batch stops
// there and writes nothing, and lots of other receipts stay where they are.
TEST_F(BatchIssueTest, ALineWithoutItsWholeLotIssuesNothing)
{
    struct Case {
        const char *what;
        std::function<void(qint64 line)> change; // done to the second line's own lot
        bool identicalElsewhere;                 // another receipt's identical lot is whole
        bool identicalUnremembered;              // an identical lot naming no receipt is whole
    };
    const Case cases[] = {
        {"partly issued", [this](qint64 line) {
             db().exec(QStringLiteral("UPDATE shijikucun SET 数量=1 WHERE 入库ID=?"), {QString::number(line)});
         }, false, false},
        {"used up, another receipt's identical lot whole", [this](qint64 line) {
             db().exec(QStringLiteral("DELETE FROM shijikucun WHERE 入库ID=?"), {QString::number(line)});
         }, true, false},
        {"partly issued, a lot naming no receipt whole", [this](qint64 line) {
             db().exec(QStringLiteral("UPDATE shijikucun SET 数量=1 WHERE 入库ID=?"), {QString::number(line)});
         }, false, true},
    };
    int n = 0;
    for (const Case &c : cases) {
        const QString batchNo = QStringLiteral("X%1").arg(++n);
        const qint64 first = received(counter, 2, 20, QStringLiteral("C9"), 20260110000 + n);
        const qint64 second = received(serum, 2, 10, batchNo, 20260110000 + n);
        c.change(second);
        if (c.identicalElsewhere)
            received(serum, 2, 10, batchNo, 20260111000 + n);
        if (c.identicalUnremembered)
            store.lot({.reagent = serum, .batch = batchNo, .quantity = 2, .price = 10, .supplier = supplier});
        const qint64 lotsBefore = lots();

        EXPECT_EQ(issues::wholeLots(db(), {first, second}).missing, 1) << c.what;
        EXPECT_EQ(issues::saveBatchIssue(db(), batch(), {first, second}), 1) << c.what;
        EXPECT_EQ(lots(), lotsBefore) << c.what;
        EXPECT_NE(ownLot(first), 0) << c.what;
        EXPECT_EQ(issueLines(), 0) << c.what;
    }
}

TEST_F(BatchIssueTest, ALotNamingNoReceiptStandsInForALineWithoutItsOwn)
{
    const qint64 first = receivedUnremembered(digits, 4, 2, QStringLiteral("D9"));
    const qint64 second = receivedUnremembered(digits, 4, 2, QStringLiteral("D9"));
    const issues::WholeLots whole = issues::wholeLots(db(), {first, second});
    ASSERT_EQ(whole.missing, -1);
    ASSERT_EQ(whole.lots.size(), 2);
    EXPECT_NE(whole.lots[0].lotId, whole.lots[1].lotId);

    ASSERT_EQ(issues::saveBatchIssue(db(), batch(), {first, second}), -1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM shijikucun WHERE 批号='D9'")).toInt(), 0);
    // The issue lines name their receipt lines, so an undo makes each lot again as its own.
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT GROUP_CONCAT(入库ID) FROM shijibiandongdengji WHERE 变动标志=2"))
                  .toString(),
              QStringLiteral("%1,%2").arg(first).arg(second));
}

TEST_F(BatchIssueTest, ALotTakenFromOnAnotherWorkstationAfterTheCheckIssuesNothing)
{
    const qint64 first = received(counter, 2, 20, QStringLiteral("C9"));
    const qint64 second = received(serum, 2, 10, QStringLiteral("B9"));
    ASSERT_EQ(issues::wholeLots(db(), {first, second}).missing, -1);

    const auto other = dao::Database::open(ModBase::DBFile, ModBase::DBPassword);
    other->exec(QStringLiteral("UPDATE shijikucun SET 数量=0.5 WHERE 入库ID=?"), {QString::number(second)});

    const qint64 lotsBefore = lots();
    EXPECT_EQ(issues::saveBatchIssue(db(), batch(), {first, second}), 1);
    EXPECT_EQ(lots(), lotsBefore);
    EXPECT_EQ(issueLines(), 0);
    EXPECT_FALSE(db().inTransaction());
}

} // namespace
