#include "StockFixture.h"
#include "StockLimitCases.h"

#include "queries/StockLists.h"

#include <functional>

using namespace queries;
using namespace Qt::StringLiterals;

namespace {

using StockListsTest = StockFixture;

QStringList column(const dao::Result &result, int col)
{
    QStringList out;
    for (const dao::Row &row : result.rows)
        out << row.text(col);
    return out;
}

// 品名 and 库存汇总 of each row of a per-reagent list.
QStringList nameAndTotal(const ReagentList &list)
{
    QStringList out;
    for (const dao::Row &row : list.rows.rows)
        out << row.text(0) + u'=' + row.text(3);
    return out;
}

TEST_F(StockListsTest, ExpiryAroundTodayAndTheWarningPeriod)
{
    const qint32 id = reagent({QStringLiteral("甲试剂")});
    struct Case {
        int days; // expiry = today + days
        bool expired, expiring, expiringAfterToday;
        Expiry state;
    };
    const Case cases[] = {
        {-1, true, false, false, Expiry::Expired},
        {0, true, true, false, Expiry::Expired},
        {1, false, true, true, Expiry::Expiring},
        {30, false, true, true, Expiry::Expiring},
        {31, false, false, false, Expiry::Fresh},
    };
    for (const Case &c : cases)
        lot(id, 1, Today.addDays(c.days), 10, 1, QString::number(c.days));
    const QStringList expired = column(lotList(db(), expiredLots(Today)), 3);
    const QStringList expiring = column(lotList(db(), expiringLots(Today, 30)), 3);
    const QStringList afterToday = column(lotList(db(), expiringAfterToday(Today, 30)), 3);
    for (const Case &c : cases) {
        const QString batch = QString::number(c.days);
        EXPECT_EQ(expired.contains(batch), c.expired) << c.days;
        EXPECT_EQ(expiring.contains(batch), c.expiring) << c.days;
        EXPECT_EQ(afterToday.contains(batch), c.expiringAfterToday) << c.days;
        EXPECT_EQ(expiryOf(Today.addDays(c.days), Today, 30), c.state) << c.days;
    }
}

TEST_F(StockListsTest, LotListJoinsOrdersAndFormatsTheAmount)
{
    const qint32 b = reagent({QStringLiteral("乙试剂"), QStringLiteral("免疫组")});
    const qint32 a = reagent({QStringLiteral("甲试剂"), QStringLiteral("免疫组")});
    const qint32 disabled = reagent({QStringLiteral("停用试剂"), QStringLiteral("临检组"), {}, {}, true});
    const qint32 noMaker = reagent({QStringLiteral("无厂试剂"), QStringLiteral("临检组"), {}, {}, false, 9});
    lot(b, 2, QDate(2024, 6, 1), 617.25);
    lot(a, 1, QDate(2024, 9, 1), 0.5);
    lot(a, 1, QDate(2024, 5, 1), 0.5);
    lot(disabled, 1);
    lot(noMaker, 1);
    lot(a, 1, QDate(2024, 5, 1), 1, 7); // no such supplier

    const dao::Result lots = lotList(db(), allLots());
    EXPECT_EQ(lots.columns, (QStringList{u"库存ID"_s, u"品名"_s, u"规格"_s, u"批号"_s, u"有效期"_s, u"厂商"_s,
                                          u"数量"_s, u"单位"_s, u"单价"_s, u"金额"_s, u"组别"_s, u"批准文号"_s,
                                          u"供应商"_s, u"存放地点"_s}));
    // Groups and names in Chinese order (临检 before 免疫, 甲 before 乙), then expiry.
    EXPECT_EQ(column(lots, 1), (QStringList{u"停用试剂"_s, u"甲试剂"_s, u"甲试剂"_s, u"乙试剂"_s}));
    EXPECT_EQ(column(lots, 4), (QStringList{u"2025-01-01"_s, u"2024-05-01"_s, u"2024-09-01"_s, u"2024-06-01"_s}));
    EXPECT_EQ(column(lots, LotAmountColumn), (QStringList{u"10.00"_s, u"0.50"_s, u"0.50"_s, u"1,234.50"_s}));
    EXPECT_EQ(amountTotal(lots, LotAmountColumn).units, 12455000);
}

TEST_F(StockListsTest, NamesAreBoundAndMatchWholeNamesOnly)
{
    db().exec(QStringLiteral("INSERT INTO changshang (厂商ID, 拼音码, 厂商) VALUES (2, 'OB', '奥''布')"));
    db().exec(QStringLiteral("INSERT INTO gongyingshang (供应商ID, 拼音码, 供应商) VALUES (2, 'OS', 'O''Shea')"));
    const qint32 quoted = reagent({QStringLiteral("Anti-A' 血清"), QStringLiteral("免'疫"), {}, {}, false, 2});
    lot(quoted, 1, QDate(2025, 1, 1), 10, 2);
    lot(reagent({QStringLiteral("甲试剂")}), 1);

    const std::pair<LotCondition, int> cases[] = {
        {lotsOfManufacturer(QStringLiteral("奥'布")), 1},
        {lotsOfManufacturer(QStringLiteral("奥")), 0},
        {lotsOfManufacturer(QStringLiteral("' OR ''='")), 0},
        {lotsOfSupplier(QStringLiteral("o'shea")), 1},
        {lotsOfReagent(QStringLiteral("Anti-A' 血清")), 1},
        {lotsOfReagent(QStringLiteral("Anti")), 0},
        {lotsOfGroup(QStringLiteral("免'疫")), 1},
        {lotsOfGroup(QStringLiteral("生化组")), 1},
    };
    for (const auto &[condition, rows] : cases)
        EXPECT_EQ(lotList(db(), condition).size(), rows) << condition.params.value(0).toString().toStdString();
}

TEST_F(StockListsTest, LowAndHighStockRules)
{
    struct Case {
        const char *what;
        std::function<void()> store;
        QStringList low, high;
    };
    const auto r = [](const char *name, std::optional<double> low = {}, std::optional<double> high = {}) {
        return Reagent{QString::fromUtf8(name), QStringLiteral("生化组"), low, high};
    };
    const Case cases[] = {
        {"no lots and no limit", [&] { reagent(r("甲")); }, {u"甲=0"_s}, {}},
        {"stock and no limit", [&] { lot(reagent(r("甲")), 5); }, {}, {}},
        {"total equal to the low limit", [&] { lot(reagent(r("甲", 5)), 5); }, {u"甲=5"_s}, {}},
        {"total above the low limit", [&] { lot(reagent(r("甲", 5)), 5.5); }, {}, {}},
        {"total equal to the high limit", [&] { lot(reagent(r("甲", {}, 8)), 8); }, {}, {u"甲=8"_s}},
        {"total below the high limit", [&] { lot(reagent(r("甲", {}, 8)), 7.9); }, {}, {}},
        {"no high limit", [&] { lot(reagent(r("甲")), 1e6); }, {}, {}},
        {"two identical entries",
         [&] {
             lot(reagent(r("甲", 10, 5)), 3);
             lot(reagent(r("甲", 10, 5)), 3);
         },
         {u"甲=3"_s, u"甲=3"_s},
         {u"甲=6"_s}},
        {"0.1 and 0.2 against a low limit of 0.3",
         [&] {
             const qint32 id = reagent(r("甲", 0.3));
             lot(id, 0.1);
             lot(id, 0.2);
         },
         {u"甲=0.3"_s},
         {}},
        {"a limit kept in single precision",
         [&] { lot(reagent(r("甲", double(0.7f), double(0.7f))), 0.7); },
         {u"甲=0.7"_s},
         {u"甲=0.7"_s}},
        {"disabled: never low, still high",
         [&] {
             reagent({QStringLiteral("停"), QStringLiteral("生化组"), 1, {}, true});
             lot(reagent({QStringLiteral("停高"), QStringLiteral("生化组"), {}, 2, true}), 3);
         },
         {},
         {u"停高=3"_s}},
        {"no manufacturer: neither", [&] { lot(reagent({QStringLiteral("无厂"), {}, 9, 1, false, 9}), 3); },
         {}, {}},
    };
    for (const Case &c : cases) {
        db().exec(QStringLiteral("DELETE FROM shijikucun"));
        db().exec(QStringLiteral("DELETE FROM shijijibenxinxi"));
        c.store();
        EXPECT_EQ(nameAndTotal(lowStock(db())), c.low) << c.what;
        EXPECT_EQ(nameAndTotal(highStock(db())), c.high) << c.what;
    }
}

TEST_F(StockListsTest, TotalsMeetTheLimitsAsTheyRead)
{
    for (const StockLimitCase &c : stockLimitCases()) {
        const std::string what =
            QStringLiteral("limit %1, total %2").arg(c.limit, 0, 'g', 10).arg(c.total, 0, 'g', 10).toStdString();
        db().exec(QStringLiteral("DELETE FROM shijikucun"));
        db().exec(QStringLiteral("DELETE FROM shijijibenxinxi"));
        lot(reagent({QStringLiteral("甲"), QStringLiteral("生化组"), registerLimit(c.limit), registerLimit(c.limit)}),
            c.total);
        const QStringList listed{u"甲="_s + QString::number(c.total, 'g', 10)};
        EXPECT_EQ(nameAndTotal(lowStock(db())), c.side <= 0 ? listed : QStringList()) << what;
        EXPECT_EQ(nameAndTotal(highStock(db())), c.side >= 0 ? listed : QStringList()) << what;
    }
}

TEST_F(StockListsTest, NothingToJudgeIsToldApartFromNothingQualifying)
{
    EXPECT_FALSE(lowStock(db()).candidates);
    EXPECT_FALSE(highStock(db()).candidates);
    EXPECT_EQ(lowStock(db()).rows.columns.size(), ReagentColumns);

    // Only a disabled reagent: still no active one to judge.
    lot(reagent({QStringLiteral("停"), QStringLiteral("生化组"), {}, {}, true}), 3);
    EXPECT_FALSE(lowStock(db()).candidates);
    EXPECT_TRUE(highStock(db()).candidates);

    lot(reagent({QStringLiteral("甲")}), 3);
    const ReagentList low = lowStock(db());
    EXPECT_TRUE(low.candidates);
    EXPECT_TRUE(low.rows.empty());
}

} // namespace
