#include "queries/MovementQueryKind.h"
#include "queries/MovementSearch.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using queries::MovementQueryKind;

namespace {

const daterange::Condition kPeriod{u" AND shijibiandongdengji.登记日期 BETWEEN ? AND ? "_s,
                                   {u"2026-12-01"_s, u"2026-12-09"_s}};

struct PeriodCase {
    const char *name;
    const MovementQueryKind &(*kind)();
    QStringList typed; // in the order the window applies its filters
    QString title;
    QStringList conditions; // after the date condition
    QVariantList values;    // bound after the two dates
};

void PrintTo(const PeriodCase &c, std::ostream *os) { *os << c.name; }

class PeriodSearchTest : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodSearchTest, TitleConditionsAndValues)
{
    const PeriodCase &c = GetParam();
    const queries::Search s = queries::periodSearch(c.kind(), u"本月（12月份）"_s, kPeriod, c.typed);
    EXPECT_EQ(s.title, c.title);
    QString expected = kPeriod.sql;
    for (const QString &condition : c.conditions)
        expected += u"AND "_s + condition + u" = ? COLLATE NOCASE "_s;
    EXPECT_EQ(s.conditions, expected);
    EXPECT_EQ(s.params, kPeriod.params + c.values);
}

// Issue: department, group, name, supplier; every condition trimmed.
// Receipt: supplier, group, name, maker; name and maker as typed.
// Scrap: department, group, name, supplier; the name as typed.
const PeriodCase kPeriodCases[] = {
    {"IssueNoFilter", &queries::issueQuery, {u""_s, u""_s, u""_s, u""_s}, u"本月（12月份）试剂出库报表"_s, {}, {}},
    {"IssueEveryFilterInOrder",
     &queries::issueQuery,
     {u" 检验科 "_s, u"生化"_s, u"血清 "_s, u"北京医药"_s},
     u"本月（12月份）检验科生化血清北京医药供试剂出库报表"_s,
     {u"shijibiandongdengji.认领部门"_s, u"shijijibenxinxi.组别"_s, u"shijijibenxinxi.品名"_s,
      u"gongyingshang.供应商"_s},
     {u"检验科"_s, u"生化"_s, u"血清"_s, u"北京医药"_s}},
    {"IssueDepartmentAndSupplier",
     &queries::issueQuery,
     {u"检验科X"_s, u""_s, u""_s, u"北京医药"_s},
     u"本月（12月份）检验科X北京医药供试剂出库报表"_s,
     {u"shijibiandongdengji.认领部门"_s, u"gongyingshang.供应商"_s},
     {u"检验科X"_s, u"北京医药"_s}},
    {"IssueBlanksOnlyFilterIsAFilterOnTheEmptyName",
     &queries::issueQuery,
     {u""_s, u"   "_s, u""_s, u""_s},
     u"本月（12月份）试剂出库报表"_s,
     {u"shijijibenxinxi.组别"_s},
     {u""_s}},
    {"ReceiptEveryFilterInOrder",
     &queries::receiptQuery,
     {u" 北京医药"_s, u"生化 "_s, u"血清 "_s, u" 某厂"_s},
     u"本月（12月份）北京医药供生化血清厂商某厂试剂入库报表"_s,
     {u"gongyingshang.供应商"_s, u"shijijibenxinxi.组别"_s, u"shijijibenxinxi.品名"_s, u"changshang.厂商"_s},
     {u"北京医药"_s, u"生化"_s, u"血清 "_s, u" 某厂"_s}},
    {"ReceiptMaker",
     &queries::receiptQuery,
     {u""_s, u""_s, u""_s, u"某厂"_s},
     u"本月（12月份）厂商某厂试剂入库报表"_s,
     {u"changshang.厂商"_s},
     {u"某厂"_s}},
    {"ScrapEveryFilterInOrder",
     &queries::scrapQuery,
     {u"检验科 "_s, u" 生化"_s, u"血清 "_s, u"北京医药 "_s},
     u"本月（12月份）检验科生化血清北京医药供试剂报损报表"_s,
     {u"shijibiandongdengji.认领部门"_s, u"shijijibenxinxi.组别"_s, u"shijijibenxinxi.品名"_s,
      u"gongyingshang.供应商"_s},
     {u"检验科"_s, u"生化"_s, u"血清 "_s, u"北京医药"_s}},
    {"ScrapQuoteIsAValue",
     &queries::scrapQuery,
     {u""_s, u""_s, u"奥'布"_s, u""_s},
     u"本月（12月份）奥'布试剂报损报表"_s,
     {u"shijijibenxinxi.品名"_s},
     {u"奥'布"_s}},
};

INSTANTIATE_TEST_SUITE_P(Windows, PeriodSearchTest, ::testing::ValuesIn(kPeriodCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(LookUpSearch, DocumentTitlesAndTheNumberBoundAsANumber)
{
    struct Case {
        const MovementQueryKind &(*kind)();
        QString typed;
        QString title;
    };
    const Case cases[] = {
        {&queries::issueQuery, u"20261201001"_s, u"单号“20261201001”试剂出库报表"_s},
        {&queries::receiptQuery, u" 20261201002 "_s, u"单号“20261201002”试剂入库报表"_s},
        {&queries::scrapQuery, u"2026"_s, u"单号“2026”试剂报损报表"_s},
    };
    for (const Case &c : cases) {
        const auto s = queries::documentSearch(c.kind(), c.typed);
        ASSERT_TRUE(s) << c.typed.toStdString();
        EXPECT_EQ(s->title, c.title);
        EXPECT_EQ(s->conditions, u" AND shijibiandongdengji.单号=?"_s);
        ASSERT_EQ(s->params.size(), 1);
        EXPECT_EQ(s->params[0].typeId(), QMetaType::LongLong);
        EXPECT_EQ(s->params[0].toString(), c.title.mid(3, c.title.indexOf(u'”') - 3));
    }
    for (const QString &none : {u""_s, u"  "_s, u"12a"_s})
        EXPECT_FALSE(queries::documentSearch(queries::issueQuery(), none)) << none.toStdString();
}

TEST(LookUpSearch, InvoiceEndsWithTheTrimmedTextEscapingWildcards)
{
    struct Case {
        QString typed;
        QString title;
        QString pattern;
    };
    const Case cases[] = {
        {u" 12 "_s, u"发票号“12”试剂入库报表"_s, u"%12"_s},
        {u"1%"_s, u"发票号“1%”试剂入库报表"_s, u"%1\\%"_s},
        {u"A_1"_s, u"发票号“A_1”试剂入库报表"_s, u"%A\\_1"_s},
    };
    for (const Case &c : cases) {
        const auto s = queries::invoiceSearch(queries::receiptQuery(), c.typed);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->title, c.title);
        EXPECT_EQ(s->conditions, u" AND shijibiandongdengji.发票号 LIKE ? ESCAPE '\\'"_s);
        EXPECT_EQ(s->params, QVariantList{c.pattern});
    }
    EXPECT_FALSE(queries::invoiceSearch(queries::receiptQuery(), u"  "_s));
}

} // namespace
