#include "StoreFixture.h"
#include "receipts/OrderStore.h"

#include <gtest/gtest.h>

using namespace receipts;

namespace {

const QDate kDay(2026, 3, 10);
const QTime kNoon(12, 30, 5);

QStringList line(const QString &name, const QString &spec = QStringLiteral("100T"))
{
    return {QStringLiteral("3"), name, spec, QStringLiteral("迈瑞"), QStringLiteral("～"), QStringLiteral("2"),
            QStringLiteral("盒"), QStringLiteral("2.5"), QStringLiteral("5.00"), QStringLiteral("6/72"),
            QStringLiteral("0")};
}

QStringList stored(const dao::Row &row)
{
    QStringList out;
    for (int c = 1; c < row.size(); ++c)
        out.append(row.text(c));
    return out;
}

class OrderStore : public StoreFixture {};

} // namespace

TEST_F(OrderStore, SavedLinesLoadBackInTheirOrderWithQuotes)
{
    const QList<QStringList> lines = {line(QStringLiteral("O'Brien's \"缓冲液\"")), line(QStringLiteral("葡萄糖"))};
    const auto key = saveOrder(db(), kDay, kNoon, 7, lines);
    ASSERT_TRUE(key);

    const dao::Row header = db().select(QStringLiteral("SELECT * FROM dingdanjiben")).rows.at(0);
    EXPECT_EQ(header[0].toLongLong(), *key);
    EXPECT_EQ(header.text(1), QStringLiteral("20260310123005"));
    EXPECT_EQ(header.text(2), QStringLiteral("2026-03-10"));
    EXPECT_EQ(header.text(3), QStringLiteral("12:30:05"));
    EXPECT_EQ(header[4].toInt(), 7);

    const dao::Result loaded = orderLines(db(), *key);
    EXPECT_EQ(loaded.columns.first(), QStringLiteral("订单明细ID"));
    EXPECT_EQ(loaded.columns.at(9), QStringLiteral("出库数/天数"));
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(stored(loaded[0]), lines[0].mid(1));
    EXPECT_EQ(stored(loaded[1]), lines[1].mid(1));
}

TEST_F(OrderStore, AnIncompleteLineStoresNothingNotEvenTheHeader)
{
    for (int col = 1; col <= 6; ++col) {
        QStringList bad = line(QStringLiteral("葡萄糖"));
        bad[col] = QStringLiteral("  ");
        EXPECT_FALSE(saveOrder(db(), kDay, kNoon, 7, {line(QStringLiteral("甲")), bad}))
            << "column " << col;
    }
    EXPECT_EQ(count(QStringLiteral("dingdanjiben")), 0);
    EXPECT_EQ(count(QStringLiteral("dingdanmingxi")), 0);
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(OrderStore, OrdersOfTheSameSecondStaySeparate)
{
    const auto first = saveOrder(db(), kDay, kNoon, 7, {line(QStringLiteral("甲"))});
    const auto second = saveOrder(db(), kDay, kNoon, 7,
                                  {line(QStringLiteral("乙")), line(QStringLiteral("丙"))});
    ASSERT_TRUE(first && second);
    EXPECT_EQ(orderLines(db(), *first).size(), 1);
    EXPECT_EQ(orderLines(db(), *second).size(), 2);

    const QList<SavedOrder> recent = recentOrders(db(), 20);
    ASSERT_EQ(recent.size(), 2);
    EXPECT_EQ(recent[0].key, *second);
    EXPECT_EQ(recent[0].number, QStringLiteral("20260310123005"));
}
