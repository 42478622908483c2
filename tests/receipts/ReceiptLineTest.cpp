#include "ReceiptsFixture.h"

#include "receipts/ReceiptLine.h"

namespace {

class ReceiptLineTest : public ReceiptsFixture {
protected:
    receipts::ReceiptLine line() const
    {
        receipts::ReceiptLine l;
        l.number = 20260115001;
        l.invoice = QStringLiteral("F100");
        l.date = QDate(2026, 1, 15);
        l.reagentId = 1;
        l.batch = QStringLiteral("B7");
        l.expiry = QDate(2026, 7, 14);
        l.quantity = 1234.5;
        l.price = 12.34;
        l.supplierId = 2;
        l.userId = 1;
        l.place = QStringLiteral("一号冰箱");
        return l;
    }
};

TEST_F(ReceiptLineTest, WritesOneRecordAndItsLot)
{
    const qint64 id = receipts::saveReceiptLine(db(), line());

    const dao::Result records = db().select(QStringLiteral("SELECT * FROM shijibiandongdengji"));
    ASSERT_EQ(records.size(), 1);
    const dao::Row &r = records[0];
    EXPECT_EQ(r[0].toLongLong(), id);
    EXPECT_EQ(r[1].toInt(), 1);
    EXPECT_EQ(r[2].toLongLong(), 20260115001);
    EXPECT_EQ(r.text(3), QStringLiteral("F100"));
    EXPECT_EQ(r.text(4), QStringLiteral("2026-01-15"));
    EXPECT_EQ(r[5].toInt(), 1);
    EXPECT_EQ(r.text(6), QStringLiteral("B7"));
    EXPECT_EQ(r.text(7), QStringLiteral("2026-07-14"));
    EXPECT_DOUBLE_EQ(r[8].toDouble(), 1234.5);
    EXPECT_DOUBLE_EQ(r[9].toDouble(), 12.34);
    EXPECT_EQ(r[12].toInt(), 2);
    EXPECT_EQ(r[13].toInt(), 1);
    EXPECT_EQ(r.text(14), QStringLiteral("一号冰箱"));

    const dao::Result lots = db().select(QStringLiteral("SELECT * FROM shijikucun"));
    ASSERT_EQ(lots.size(), 1);
    const dao::Row &lot = lots[0];
    EXPECT_EQ(lot[1].toInt(), 1);
    EXPECT_EQ(lot.text(2), QStringLiteral("B7"));
    EXPECT_EQ(lot.text(3), QStringLiteral("2026-07-14"));
    EXPECT_DOUBLE_EQ(lot[4].toDouble(), 1234.5);
    EXPECT_DOUBLE_EQ(lot[5].toDouble(), 12.34);
    EXPECT_EQ(lot.text(6), QStringLiteral("一号冰箱"));
    EXPECT_EQ(lot[7].toInt(), 2);
    EXPECT_EQ(lot.text(8), QString::number(id));

    // A second line of the same batch gets a lot of its own.
    const qint64 second = receipts::saveReceiptLine(db(), line());
    EXPECT_EQ(count(QStringLiteral("shijikucun")), 2);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 入库ID FROM shijikucun ORDER BY 库存ID DESC LIMIT 1")).toString(),
              QString::number(second));
}

TEST_F(ReceiptLineTest, AFailingLotLeavesNeither)
{
    db().exec(QStringLiteral("CREATE TRIGGER refuse_lot BEFORE INSERT ON shijikucun "
                             "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_THROW(receipts::saveReceiptLine(db(), line()), dao::DaoError);
    EXPECT_EQ(count(QStringLiteral("shijibiandongdengji")), 0);
    EXPECT_EQ(count(QStringLiteral("shijikucun")), 0);
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(ReceiptLineTest, WritesInsideTheCallersTransaction)
{
    EXPECT_THROW(receipts::writeReceiptLine(db(), line()), std::logic_error);
    EXPECT_EQ(count(QStringLiteral("shijibiandongdengji")), 0);

    {
        dao::Transaction t(db());
        receipts::writeReceiptLine(db(), line());
        receipts::writeReceiptLine(db(), line());
        EXPECT_TRUE(db().inTransaction()); // the caller decides
    } // not committed: both lines and their lots go
    EXPECT_EQ(count(QStringLiteral("shijibiandongdengji")), 0);
    EXPECT_EQ(count(QStringLiteral("shijikucun")), 0);

    dao::Transaction t(db());
    receipts::writeReceiptLine(db(), line());
    receipts::writeReceiptLine(db(), line());
    t.commit();
    EXPECT_EQ(count(QStringLiteral("shijibiandongdengji")), 2);
    EXPECT_EQ(count(QStringLiteral("shijikucun")), 2);
}

TEST_F(ReceiptLineTest, LatestSupplierAndLastPrice)
{
    EXPECT_FALSE(receipts::latestSupplier(db()));
    EXPECT_EQ(receipts::lastReceiptPrice(db(), 1), QString());

    storeLine(1, 20260110001, 1, 8.5, 2);
    storeLine(1, 20260112001, 1, 9.25, 3);
    storeLine(2, 20260113001, 1, 99, 1); // an issue line is no receipt
    const auto latest = receipts::latestSupplier(db());
    ASSERT_TRUE(latest);
    EXPECT_EQ(latest->supplierId, 3);
    EXPECT_EQ(latest->supplier, QStringLiteral("奥'布"));
    EXPECT_EQ(latest->place, QStringLiteral("一号冰箱"));
    EXPECT_EQ(receipts::lastReceiptPrice(db(), 1), QStringLiteral("9.25"));

    // The latest receipt's supplier was deleted: nothing is proposed.
    db().exec(QStringLiteral("DELETE FROM gongyingshang WHERE 供应商ID=3"));
    EXPECT_FALSE(receipts::latestSupplier(db()));
}

} // namespace
