#include "TempFolder.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "widgets/FlexGrid.h"

#include <gtest/gtest.h>

#include <algorithm>

// One order of texts everywhere the program sorts by a Chinese name: the ZH collation of
// the database, the grid's header sort and the precomputed keys must agree with the
// plain comparison, case by case.

namespace {

struct OrderCase {
    const char *name;
    QStringList texts;    // as stored
    QStringList expected; // ascending
};

void PrintTo(const OrderCase &c, std::ostream *os)
{
    *os << c.name;
}

class ChineseOrder : public ::testing::TestWithParam<OrderCase> {};

QStringList byCollation(const QStringList &texts)
{
    TempFolder dir;
    auto db = dao::Database::create(dir.file(QStringLiteral("order.dat")), QStringLiteral("k"));
    db->exec(QStringLiteral("CREATE TABLE t (x TEXT)"));
    for (const QString &t : texts)
        db->exec(QStringLiteral("INSERT INTO t VALUES (?)"), {t});
    QStringList out;
    for (const dao::Row &r : db->select(QStringLiteral("SELECT x FROM t ORDER BY x COLLATE ZH")).rows)
        out.append(r.text(0));
    return out;
}

QStringList byGrid(const QStringList &texts)
{
    FlexGrid g;
    QList<QStringList> rows;
    for (const QString &t : texts)
        rows.append({t});
    g.Fill({QStringLiteral("品名")}, rows);
    g.Sort(0, Qt::AscendingOrder);
    QStringList out;
    for (int r = 1; r < g.Rows(); ++r)
        out.append(g.TextMatrix(r, 0));
    return out;
}

QStringList byKeys(const QStringList &texts)
{
    std::vector<dao::ChineseKey> keys;
    for (const QString &t : texts)
        keys.emplace_back(t);
    std::sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.compare(b) < 0; });
    QStringList out;
    for (const auto &k : keys)
        out.append(k.text());
    return out;
}

QStringList byComparison(QStringList texts)
{
    std::sort(texts.begin(), texts.end(), [](const QString &a, const QString &b) { return dao::compareChinese(a, b) < 0; });
    return texts;
}

} // namespace

TEST_P(ChineseOrder, CollationGridAndKeysAgree)
{
    const OrderCase &c = GetParam();
    EXPECT_EQ(byComparison(c.texts), c.expected);
    EXPECT_EQ(byCollation(c.texts), c.expected);
    EXPECT_EQ(byGrid(c.texts), c.expected);
    EXPECT_EQ(byKeys(c.texts), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChineseOrder,
    ::testing::Values(
        OrderCase{"LatinLettersIgnoreCaseThenCapitalsFirst",
                  {QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("ab"), QStringLiteral("B"), QStringLiteral("a")},
                  {QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("B"), QStringLiteral("b")}},
        OrderCase{"DigitsAsTextBeforeLetters",
                  {QStringLiteral("A1"), QStringLiteral("2号"), QStringLiteral("10号"), QStringLiteral("a0")},
                  {QStringLiteral("10号"), QStringLiteral("2号"), QStringLiteral("a0"), QStringLiteral("A1")}},
        OrderCase{"LatinAndDigitsBeforeHanziInPinyinOrder",
                  {QStringLiteral("张"), QStringLiteral("阿"), QStringLiteral("ABO血型"), QStringLiteral("李"),
                   QStringLiteral("波"), QStringLiteral("安瓿"), QStringLiteral("12")},
                  {QStringLiteral("12"), QStringLiteral("ABO血型"), QStringLiteral("阿"), QStringLiteral("安瓿"),
                   QStringLiteral("波"), QStringLiteral("李"), QStringLiteral("张")}},
        OrderCase{"AfterACommonHanziPrefix",
                  {QStringLiteral("血清蛋白"), QStringLiteral("血清B"), QStringLiteral("血清1"), QStringLiteral("血清a"),
                   QStringLiteral("血清")},
                  {QStringLiteral("血清"), QStringLiteral("血清1"), QStringLiteral("血清a"), QStringLiteral("血清B"),
                   QStringLiteral("血清蛋白")}},
        OrderCase{"PinyinCodesAndBarcodes",
                  {QStringLiteral("XQ2"), QStringLiteral("xq10"), QStringLiteral("Z"), QStringLiteral("xq"),
                   QStringLiteral("X1Q"), QStringLiteral("0A"), QStringLiteral("XQ"), QStringLiteral("a9b"),
                   QStringLiteral("6901234567890"), QStringLiteral("69012345678")},
                  {QStringLiteral("0A"), QStringLiteral("69012345678"), QStringLiteral("6901234567890"),
                   QStringLiteral("a9b"), QStringLiteral("X1Q"), QStringLiteral("XQ"), QStringLiteral("xq"),
                   QStringLiteral("xq10"), QStringLiteral("XQ2"), QStringLiteral("Z")}},
        // Only single-byte letters come first; a full-width one follows the collator.
        OrderCase{"WideLettersFollowTheCollator",
                  {QStringLiteral("Ａ试剂"), QStringLiteral("B试剂"), QStringLiteral("安瓿")},
                  {QStringLiteral("B试剂"), QStringLiteral("安瓿"), QStringLiteral("Ａ试剂")}}),
    [](const auto &info) { return std::string(info.param.name); });
