#include "widgets/DateRange.h"

#include <gtest/gtest.h>

using namespace daterange;

namespace {

QDate d(int y, int m, int day) { return QDate(y, m, day); }

struct PresetCase {
    QDate today;
    int option;
    QDate start;
    QDate end;
};

} // namespace

TEST(DateRange, PresetsForTheWorkDate)
{
    const PresetCase cases[] = {
        {d(2026, 1, 15), ThisMonth, d(2026, 1, 1), d(2026, 1, 15)},
        {d(2026, 1, 15), LastMonth, d(2025, 12, 1), d(2025, 12, 31)},
        {d(2026, 1, 15), ThisYear, d(2026, 1, 1), d(2026, 1, 15)},
        {d(2026, 1, 15), LastYear, d(2025, 1, 1), d(2025, 12, 31)},
        {d(2026, 1, 15), Custom, d(2026, 1, 15), d(2026, 1, 15)},
        {d(2026, 3, 31), LastMonth, d(2026, 2, 1), d(2026, 2, 28)},
        {d(2028, 3, 10), LastMonth, d(2028, 2, 1), d(2028, 2, 29)},
        {d(2026, 5, 31), LastMonth, d(2026, 4, 1), d(2026, 4, 30)},
        {d(2026, 5, 31), ThisMonth, d(2026, 5, 1), d(2026, 5, 31)},
        {d(2026, 5, 1), ThisMonth, d(2026, 5, 1), d(2026, 5, 1)},
        {d(2027, 1, 1), LastMonth, d(2026, 12, 1), d(2026, 12, 31)},
        {d(2026, 12, 31), LastYear, d(2025, 1, 1), d(2025, 12, 31)},
        {d(2028, 2, 29), ThisYear, d(2028, 1, 1), d(2028, 2, 29)},
    };
    for (const PresetCase &c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString() + " option " + std::to_string(c.option));
        const auto range = presetRange(c.option, c.today);
        ASSERT_TRUE(range);
        EXPECT_EQ(range->start, c.start);
        EXPECT_EQ(range->end, c.end);
    }
    EXPECT_FALSE(presetRange(Unlimited, d(2026, 1, 15)));
}

TEST(DateRange, StoredDefaultOutsideTheOptionsSelectsTheFirst)
{
    const std::pair<int, int> cases[] = {{0, 0}, {4, 4}, {5, 5}, {6, 0}, {-1, 0}, {32767, 0}};
    for (const auto &[stored, expected] : cases)
        EXPECT_EQ(defaultOption(stored), expected) << stored;
}

TEST(DateRange, ReversedRangeIsRefusedAndOneDayIsValid)
{
    EXPECT_TRUE(rangeValid(d(2026, 1, 15), d(2026, 1, 15)));
    EXPECT_TRUE(rangeValid(d(2025, 12, 31), d(2026, 1, 1)));
    EXPECT_FALSE(rangeValid(d(2026, 1, 2), d(2026, 1, 1)));
    EXPECT_EQ(rangeMessage(), QStringLiteral("起始日期不能大于结束日期！"));
}

TEST(DateRange, PeriodTitles)
{
    const struct {
        int option;
        QDate start;
        QDate end;
        const char16_t *title;
    } cases[] = {
        {ThisMonth, d(2026, 12, 1), d(2026, 12, 9), u"本月（12月份）"},
        {LastMonth, d(2026, 2, 1), d(2026, 2, 28), u"上月（2月份）"},
        {ThisYear, d(2026, 1, 1), d(2026, 3, 4), u"今年（2026年度）"},
        {LastYear, d(2026, 1, 1), d(2026, 12, 31), u"去年（2026年度）"},
        {Unlimited, d(2026, 5, 2), d(2026, 5, 1), u"所有日期"},
        {Custom, d(2026, 12, 1), d(2026, 12, 9), u"2026-12-01至2026-12-09"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(periodTitle(c.option, c.start, c.end), QString::fromUtf16(c.title)) << c.option;
}

TEST(DateRange, ConditionBindsBothDaysAndUnlimitedSpansEveryDate)
{
    const Condition custom = dateCondition(Custom, d(2026, 1, 1), d(2026, 1, 15));
    EXPECT_EQ(custom.sql, QStringLiteral(" AND shijibiandongdengji.登记日期 BETWEEN ? AND ? "));
    EXPECT_EQ(custom.params, (QVariantList{QStringLiteral("2026-01-01"), QStringLiteral("2026-01-15")}));

    const Condition unlimited = dateCondition(Unlimited, d(2026, 1, 1), d(2026, 1, 15));
    EXPECT_EQ(unlimited.sql, QStringLiteral(" AND +shijibiandongdengji.登记日期 BETWEEN ? AND ? "));
    EXPECT_EQ(unlimited.params, (QVariantList{QStringLiteral("1601-01-01"), QStringLiteral("9999-12-31")}));
}
