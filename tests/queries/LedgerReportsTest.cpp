#include "LedgerFixture.h"

#include "queries/LedgerCrosstab.h"
#include "queries/LedgerOverview.h"

using namespace Qt::StringLiterals;
using queries::Period;

namespace {

const Period kDecember{QDate(2025, 12, 1), QDate(2025, 12, 31)};

QList<QStringList> grid(const GridSnapshot &g)
{
    return QList<QStringList>{g.header} + g.rows;
}

class LedgerReportsTest : public LedgerFixture {};

TEST(LedgerPeriod, DefaultIsThePreviousCalendarMonth)
{
    const struct {
        QDate today, start, end;
    } cases[] = {
        {QDate(2026, 1, 15), QDate(2025, 12, 1), QDate(2025, 12, 31)},
        {QDate(2026, 1, 1), QDate(2025, 12, 1), QDate(2025, 12, 31)},
        {QDate(2026, 3, 15), QDate(2026, 2, 1), QDate(2026, 2, 28)},
        {QDate(2024, 3, 31), QDate(2024, 2, 1), QDate(2024, 2, 29)},
    };
    for (const auto &c : cases) {
        const Period p = queries::previousMonth(c.today);
        EXPECT_EQ(p.start, c.start) << c.today.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(p.end, c.end) << c.today.toString(Qt::ISODate).toStdString();
    }
}

// Lines summed in the program and in the engine come to the same ten-thousandths.
TEST_F(LedgerReportsTest, UnitsRoundAsTheEngineDoes)
{
    // 1/32 scales to 312.5 exactly: a half goes away from zero.
    for (const double v : {0.0, 0.03125, -0.03125, 0.00004999, 1.23455, -1.23455, 12.3456 * 3, 9.995 * 1.5, 1e12 / 3})
        EXPECT_EQ(queries::units(v).units,
                  db().scalar(u"SELECT CAST(round(?*10000) AS INTEGER)"_s, {v}).toLongLong())
            << v;
}

TEST_F(LedgerReportsTest, EmptyStoreShowsZeroes)
{
    EXPECT_EQ(grid(queries::overview(db(), kDecember)),
              (QList<QStringList>{{u"概况"_s, u"期初库存"_s, u"本期入库"_s, u"本期出库"_s, u"本期报损"_s, u"期末库存"_s, u"当前库存"_s},
                                  {u"汇总金额"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s},
                                  {u"记录数"_s, u""_s, u"0"_s, u"0"_s, u"0"_s, u""_s, u"0"_s}}));
}

TEST_F(LedgerReportsTest, OverviewAndPeriodSummary)
{
    const qint32 r1 = reagent(u"血清"_s, u"生化"_s);
    // Before December: 1,200.004 received and 199.996 issued; each flag is rounded to cents
    // before they are combined, so the opening is 1,000.00 and not 1,000.01.
    line(1, r1, QDate(2025, 11, 10), 1, 1200.004);
    line(2, r1, QDate(2025, 11, 20), 1, 199.996);
    line(1, r1, QDate(2025, 12, 1), 2, 125.25); // on the first day: in the period
    line(2, r1, QDate(2025, 12, 31), 1, 100.25);
    line(2, r1, QDate(2026, 1, 2), 5, 10); // after the period
    lot(r1, 3, 12.5);
    lot(r1, 0.5, 0.125);

    EXPECT_EQ(grid(queries::overview(db(), kDecember)),
              (QList<QStringList>{{u"概况"_s, u"期初库存"_s, u"本期入库"_s, u"本期出库"_s, u"本期报损"_s, u"期末库存"_s, u"当前库存"_s},
                                  {u"汇总金额"_s, u"1,000.00"_s, u"250.50"_s, u"100.25"_s, u"0.00"_s, u"1,150.25"_s, u"37.56"_s},
                                  {u"记录数"_s, u""_s, u"1"_s, u"1"_s, u"0"_s, u""_s, u"2"_s}}));
    EXPECT_EQ(grid(queries::periodSummary(db(), kDecember)),
              (QList<QStringList>{{u"概况"_s, u"本期入库"_s, u"本期出库"_s, u"本期报损"_s, u"当前库存"_s},
                                  {u"汇总金额"_s, u"250.50"_s, u"100.25"_s, u"0.00"_s, u"37.56"_s},
                                  {u"记录数"_s, u"1"_s, u"1"_s, u"0"_s, u"2"_s}}));
    // A register that starts inside the period opens at zero.
    EXPECT_EQ(queries::overview(db(), {QDate(2025, 11, 1), QDate(2025, 11, 30)}).rows[0].mid(1, 5),
              (QStringList{u"0.00"_s, u"1,200.00"_s, u"200.00"_s, u"0.00"_s, u"1,000.00"_s}));
}

// Every cell as the statements of each flag give it, over a store of several reagents and
// for periods that cut its history at different places.
TEST_F(LedgerReportsTest, OverviewMatchesTheStatementsOfEachFlag)
{
    const qint32 r1 = reagent(u"血清"_s, u"生化"_s);
    const qint32 r2 = reagent(u"抗体"_s, u"免疫"_s, true);
    const struct {
        int flag;
        qint32 reagent;
        QDate date;
        double quantity, price;
    } lines[] = {
        {1, r1, {2024, 3, 1}, 10, 12.3456}, {1, r2, {2024, 3, 2}, 3, 0.3333},  {2, r1, {2024, 6, 30}, 2.5, 12.3456},
        {3, r2, {2024, 12, 31}, 1, 0.3333}, {1, r1, {2025, 12, 1}, 4, 9.995},  {2, r2, {2025, 12, 15}, 1, 0.3333},
        {2, r1, {2025, 12, 31}, 1.5, 9.995}, {3, r1, {2025, 12, 31}, 0.25, 12.3456}, {1, r2, {2026, 1, 2}, 7, 1.0005},
    };
    for (const auto &l : lines)
        line(l.flag, l.reagent, l.date, l.quantity, l.price);
    lot(r1, 6.5, 12.3456);
    lot(r2, 1.25, 0.3333);

    const auto std2 = [](double v) { return platform::convert::standard(v); };
    const auto num = [](const QString &t) { return *platform::convert::parseNumber(t); };
    for (const Period &p : {kDecember, Period{QDate(2024, 6, 30), QDate(2025, 12, 1)}, Period{QDate(2024, 1, 1), QDate(2024, 2, 1)}}) {
        QStringList amounts{u"汇总金额"_s, QString()}, counts{u"记录数"_s, QString()};
        double opening = 0;
        for (int flag = 1; flag <= 3; ++flag) {
            const dao::Result before = db().select(
                u"SELECT SUM(数量*单价) FROM shijibiandongdengji WHERE 变动标志=? AND 登记日期<?"_s, {flag, p.start});
            opening += (flag == 1 ? 1 : -1) * (before[0].isNull(0) ? 0 : num(std2(before[0][0].toDouble())));
            const dao::Result within = db().select(
                u"SELECT SUM(数量*单价), COUNT(*) FROM shijibiandongdengji WHERE 变动标志=? AND 登记日期 BETWEEN ? AND ?"_s,
                {flag, p.start, p.end});
            amounts << std2(within[0][0].toDouble());
            counts << within[0][1].toString();
        }
        amounts[1] = std2(opening);
        amounts << std2(num(amounts[1]) + num(amounts[2]) - num(amounts[3]) - num(amounts[4]));
        counts << QString();
        const dao::Result stock = db().select(u"SELECT SUM(数量*单价), COUNT(*) FROM shijikucun"_s);
        amounts << std2(stock[0][0].toDouble());
        counts << stock[0][1].toString();
        EXPECT_EQ(queries::overview(db(), p).rows, (QList<QStringList>{amounts, counts}))
            << p.start.toString(Qt::ISODate).toStdString();
    }
}

class CrosstabTest : public LedgerFixture {
protected:
    void SetUp() override
    {
        LedgerFixture::SetUp();
        const qint32 r1 = reagent(u"血清"_s, u"生化"_s);
        const qint32 r2 = reagent(u"抗体"_s, u"免疫"_s);
        const qint32 r3 = reagent(u"尿试纸"_s, u"临检"_s);
        const qint32 r4 = reagent(u"培养基"_s, u"微生物"_s);
        const qint32 r5 = reagent(u"无组试剂"_s, QString());
        const QDate d(2025, 12, 10);
        line(2, r1, d, 2, 10.5, u"检验科"_s, u"王五"_s);
        line(2, r1, d, 1, 0.126, u"检验科"_s, u"王五"_s);
        line(2, r2, d, 1, 100, u"检验科"_s, u"赵六"_s);
        line(2, r3, d, 3, 1.1, u"检验科"_s, u"赵六"_s);
        line(2, r5, d, 1, 2, u"检验科"_s, u"赵六"_s);
        line(2, r1, d, 1, 5, u"急诊科"_s, u"王五"_s);
        line(2, r2, d, 2, 2.25, u"急诊科"_s, u"王五"_s);
        line(2, r2, d, 1, 4, QString(), u"王五"_s); // no department: null and empty text alike
        line(2, r2, d, 1, 3, u""_s, u"王五"_s);
        db().exec(u"UPDATE shijibiandongdengji SET 认领部门='' WHERE 单价=3"_s); // the builder writes Null
        line(3, r1, d, 1, 50, u"检验科"_s, u"王五"_s);
        line(2, r4, QDate(2025, 11, 30), 1, 9, u"检验科"_s, u"王五"_s); // before the period
        line(2, r5 + 100, d, 1, 9, u"检验科"_s, u"王五"_s);                   // reagent no longer listed
    }
};

TEST_F(CrosstabTest, IssuesByDepartment)
{
    // Groups in Chinese order after 合计, the reagent without a group first; names likewise.
    EXPECT_EQ(grid(queries::crosstab(db(), kDecember, queries::CrosstabRows::Department, stock::Issue)),
              (QList<QStringList>{{u"认领部门"_s, u"合计"_s, u""_s, u"临检"_s, u"免疫"_s, u"生化"_s},
                                  {u""_s, u"7"_s, u""_s, u""_s, u"7"_s, u""_s},
                                  {u"急诊科"_s, u"9.5"_s, u""_s, u""_s, u"4.5"_s, u"5"_s},
                                  {u"检验科"_s, u"126.426"_s, u"2"_s, u"3.3"_s, u"100"_s, u"21.126"_s}}));
}

TEST_F(CrosstabTest, ScrapByClaimantAndAnEmptyPeriod)
{
    EXPECT_EQ(grid(queries::crosstab(db(), kDecember, queries::CrosstabRows::Claimant, stock::Scrap)),
              (QList<QStringList>{{u"认领人"_s, u"合计"_s, u"生化"_s}, {u"王五"_s, u"50"_s, u"50"_s}}));
    const GridSnapshot empty =
        queries::crosstab(db(), {QDate(2024, 1, 1), QDate(2024, 12, 31)}, queries::CrosstabRows::Department, stock::Issue);
    EXPECT_EQ(grid(empty), (QList<QStringList>{{u"认领部门"_s, u"合计"_s}}));
}

} // namespace
