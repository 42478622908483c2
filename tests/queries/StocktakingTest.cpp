#include "LedgerFixture.h"

#include "queries/Stocktaking.h"

#include <QHash>

using namespace Qt::StringLiterals;
using queries::Period;

namespace {

const Period kDecember{QDate(2025, 12, 1), QDate(2025, 12, 31)};
const QDate kBefore(2025, 11, 10);
const QDate kWithin(2025, 12, 10);
const QDate kAfter(2026, 1, 5);

enum Col { Name = 1, Group = 4, Opening = 5, Received = 7, Closing = 13, Stock = 15, StockAmount = 16, Average = 18 };

class StocktakingTest : public LedgerFixture {
protected:
    GridSnapshot list(const QString &group = queries::AllGroups)
    {
        return queries::stocktaking(db(), kDecember, group);
    }
    static QStringList column(const GridSnapshot &g, int col)
    {
        QStringList out;
        for (const QStringList &row : g.rows)
            out << row.value(col);
        return out;
    }
    static QStringList rowOf(const GridSnapshot &g, const QString &name)
    {
        for (const QStringList &row : g.rows)
            if (row.value(Name) == name)
                return row;
        return {};
    }
};

TEST_F(StocktakingTest, WhichReagentsAreListed)
{
    // In one group, in name order (2 and 3 are dropped one after the other); `listed` says
    // whether the row stays.
    struct Move {
        int flag;
        QDate date;
        double quantity;
    };
    const struct {
        const char *name;
        bool disabled;
        QList<Move> moves;
        double lot;
        bool listed;
    } cases[] = {
        {"试剂1 never moved", false, {}, 0, true},
        {"试剂2 never moved, disabled", true, {}, 0, false},
        {"试剂3 disabled, opening 0, lots now", true, {{1, kAfter, 5}}, 5, false},
        {"试剂4 disabled, issued in the period", true, {{1, kBefore, 1}, {2, kWithin, 1}}, 0, true},
        {"试剂5 disabled, holding a closing quantity", true, {{1, kBefore, 3}}, 3, true},
        {"试剂6 disabled, everything issued before", true, {{1, kBefore, 3}, {2, kBefore, 3}}, 0, false},
    };
    QStringList expected;
    for (const auto &c : cases) {
        const QString name = QString::fromUtf8(c.name).section(u' ', 0, 0);
        const qint32 id = reagent(name, u"生化"_s, c.disabled);
        for (const Move &m : c.moves)
            line(m.flag, id, m.date, m.quantity, 2);
        if (c.lot > 0)
            lot(id, c.lot, 2);
        if (c.listed)
            expected << name;
    }
    reagent(u"试剂7"_s, u"生化"_s, false, false); // its manufacturer is not registered

    const GridSnapshot g = list();
    ASSERT_EQ(g.header.size(), 20);
    EXPECT_EQ(column(g, Name), expected + QStringList{QString()});
    const QStringList never = rowOf(g, u"试剂1"_s);
    for (int c = Opening; c <= StockAmount; ++c)
        EXPECT_EQ(never[c], u"0.00"_s) << c;
    EXPECT_EQ(never[Average], u"0.00"_s);
    EXPECT_EQ(never[19], u"0"_s);
    EXPECT_EQ(rowOf(g, u"试剂4"_s)[19], u"-1"_s);
}

TEST_F(StocktakingTest, TheOnlyRowDroppedLeavesHeaderAndTotal)
{
    reagent(u"甲"_s, u"生化"_s, true);
    const GridSnapshot g = list();
    ASSERT_EQ(g.rows.size(), 1);
    const QStringList total = g.rows.first();
    EXPECT_EQ(total[Group], u"合计："_s);
    for (int c : {6, 8, 10, 12, 14, 16})
        EXPECT_EQ(total[c], u"0.00"_s) << c;
    for (int c : {5, 7, 9, 11, 13, 15, 18})
        EXPECT_TRUE(total[c].isEmpty()) << c;
}

TEST_F(StocktakingTest, StockAmountIsTotalQuantityTimesAveragePrice)
{
    const qint32 r1 = reagent(u"甲"_s, u"生化"_s);
    lot(r1, 2, 10);
    lot(r1, 4, 20);
    const QStringList row = rowOf(list(), u"甲"_s);
    EXPECT_EQ(row[Stock], u"6.00"_s);
    EXPECT_EQ(row[StockAmount], u"90.00"_s); // not 100.00, the lots' own amounts
    EXPECT_EQ(row[Average], u"15.00"_s);
}

TEST_F(StocktakingTest, AReagentOfAFarKeyHasItsFiguresToo)
{
    const qint32 near = reagent(u"甲"_s, u"生化"_s);
    const qint32 far = 1000000000;
    db().exec(u"UPDATE shijijibenxinxi SET 试剂ID=? WHERE 试剂ID=?"_s, {far, reagent(u"乙"_s, u"生化"_s)});
    for (const qint32 id : {near, far}) {
        line(1, id, kBefore, 4, 2.5);
        line(2, id, kWithin, 1, 2.5);
        lot(id, 3, 2.5);
    }
    for (const char *name : {"甲", "乙"}) {
        const QStringList row = rowOf(list(), QString::fromUtf8(name));
        ASSERT_FALSE(row.isEmpty()) << name;
        EXPECT_EQ(row.mid(Opening, 12),
                  (QStringList{u"4.00"_s, u"10.00"_s, u"0.00"_s, u"0.00"_s, u"1.00"_s, u"2.50"_s, u"0.00"_s, u"0.00"_s,
                               u"3.00"_s, u"7.50"_s, u"3.00"_s, u"7.50"_s}))
            << name;
    }
}

TEST_F(StocktakingTest, OneGroupOrAll)
{
    reagent(u"血清"_s, u"生化"_s);
    reagent(u"抗体"_s, u"免疫"_s);
    reagent(u"白蛋白"_s, u"生化"_s);
    EXPECT_EQ(column(list(), Name), (QStringList{u"抗体"_s, u"白蛋白"_s, u"血清"_s, QString()}));
    EXPECT_EQ(column(list(u"生化"_s), Name), (QStringList{u"白蛋白"_s, u"血清"_s, QString()}));
}

// Every figure as the per-reagent statements give it, each flag's amount before the period
// rounded to cents, the closing figures from the shown cells.
TEST_F(StocktakingTest, FiguresMatchThePerReagentStatements)
{
    const qint32 r1 = reagent(u"甲"_s, u"生化"_s);
    const qint32 r2 = reagent(u"乙"_s, u"生化"_s);
    line(1, r1, kBefore, 10, 12.3456);
    line(2, r1, kBefore, 2.5, 12.3456);
    line(3, r1, kBefore, 0.5, 12.3456);
    line(1, r1, QDate(2025, 12, 1), 4, 9.99);
    line(2, r1, kWithin, 1, 12.3456);
    line(2, r1, kWithin, 2, 9.99);
    line(3, r1, QDate(2025, 12, 31), 1, 9.99);
    line(1, r1, kAfter, 7, 1);
    line(1, r2, kWithin, 3, 0.336);
    line(2, r2, kWithin, 1, 0.336);
    lot(r1, 6.5, 12.3456);
    lot(r1, 1, 9.99);
    lot(r2, 2, 0.336);
    // A lot without a price counts in the quantity and not in the average.
    db().exec(u"INSERT INTO shijikucun (试剂ID, 数量, 单价) VALUES (?, 1.5, NULL)"_s, {r2});

    const auto std2 = [](double v) { return platform::convert::standard(v); };
    const auto num = [](const QString &t) { return *platform::convert::parseNumber(t); };
    const GridSnapshot g = list();
    ASSERT_EQ(g.rows.size(), 3);
    for (int r = 0; r < 2; ++r) {
        const QStringList &row = g.rows[r];
        const QVariant id = row[0].toInt();
        QStringList expected(20);
        double q[3], a[3];
        for (int flag = 1; flag <= 3; ++flag) {
            const dao::Result before = db().select(
                u"SELECT SUM(数量), SUM(数量*单价) FROM shijibiandongdengji WHERE 试剂ID=? AND 变动标志=? AND 登记日期<?"_s,
                {id, flag, kDecember.start});
            q[flag - 1] = before[0].isNull(0) ? 0 : before[0][0].toDouble();
            a[flag - 1] = before[0].isNull(0) ? 0 : num(std2(before[0][1].toDouble()));
            const dao::Result within = db().select(
                u"SELECT SUM(数量), SUM(数量*单价) FROM shijibiandongdengji WHERE 试剂ID=? AND 变动标志=? "
                "AND 登记日期 BETWEEN ? AND ?"_s,
                {id, flag, kDecember.start, kDecember.end});
            expected[5 + 2 * flag] = std2(within[0][0].toDouble());
            expected[6 + 2 * flag] = std2(within[0][1].toDouble());
        }
        expected[5] = std2(q[0] - q[1] - q[2]);
        expected[6] = std2(a[0] - a[1] - a[2]);
        expected[13] = std2(num(expected[5]) + num(expected[7]) - num(expected[9]) - num(expected[11]));
        expected[14] = std2(num(expected[6]) + num(expected[8]) - num(expected[10]) - num(expected[12]));
        const dao::Result stock = db().select(
            u"SELECT SUM(数量), SUM(数量)*AVG(单价), AVG(单价) FROM shijikucun WHERE 试剂ID=?"_s, {id});
        expected[15] = std2(stock[0][0].toDouble());
        expected[16] = std2(stock[0][1].toDouble());
        expected[18] = std2(stock[0][2].toDouble());
        for (int c : {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18})
            EXPECT_EQ(row[c], expected[c]) << row[Name].toStdString() << " column " << c;
    }
    // Spot checks that the figures above are the intended ones.
    EXPECT_EQ(g.rows[0][6], u"86.43"_s); // 123.46 - 30.86 - 6.17, not 86.42 of the plain sums
    EXPECT_EQ(g.rows[0][13], u"7.00"_s);
    EXPECT_EQ(g.rows[0][14], u"84.07"_s); // 86.43 + 39.96 - 32.33 - 9.99
    const QStringList &total = g.rows[2];
    EXPECT_EQ(total[6], u"86.43"_s);
    EXPECT_EQ(total[8], u"40.97"_s); // 39.96 + 1.01
}

} // namespace
