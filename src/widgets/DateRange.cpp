#include "DateRange.h"

namespace daterange {

namespace {

QString iso(const QDate &d) { return d.toString(Qt::ISODate); }

} // namespace

std::optional<Range> presetRange(int option, const QDate &today)
{
    const QDate monthStart(today.year(), today.month(), 1);
    switch (option) {
    case ThisMonth:
        return Range{monthStart, today};
    case LastMonth:
        return Range{monthStart.addMonths(-1), monthStart.addDays(-1)};
    case ThisYear:
        return Range{QDate(today.year(), 1, 1), today};
    case LastYear:
        return Range{QDate(today.year() - 1, 1, 1), QDate(today.year() - 1, 12, 31)};
    case Custom:
        return Range{today, today};
    default:
        return std::nullopt;
    }
}

int defaultOption(int stored)
{
    return stored >= 0 && stored < OptionCount ? stored : ThisMonth;
}

bool rangeValid(const QDate &start, const QDate &end)
{
    return start <= end;
}

QString rangeMessage()
{
    return QStringLiteral("起始日期不能大于结束日期！");
}

QString periodTitle(int option, const QDate &start, const QDate &end)
{
    switch (option) {
    case ThisMonth:
        return QStringLiteral("本月（%1月份）").arg(start.month());
    case LastMonth:
        return QStringLiteral("上月（%1月份）").arg(start.month());
    case ThisYear:
        return QStringLiteral("今年（%1年度）").arg(start.year());
    case LastYear:
        return QStringLiteral("去年（%1年度）").arg(start.year());
    case Unlimited:
        return QStringLiteral("所有日期");
    default:
        return iso(start) + QStringLiteral("至") + iso(end);
    }
}

Condition dateCondition(int option, const QDate &start, const QDate &end)
{
    // Every date lies in the unlimited span: the register is then read straight through,
    // cheaper than walking the whole date index and reaching each line from it.
    if (option == Unlimited)
        return {QStringLiteral(" AND +shijibiandongdengji.登记日期 BETWEEN ? AND ? "),
                {QStringLiteral("1601-01-01"), QStringLiteral("9999-12-31")}};
    return {QStringLiteral(" AND shijibiandongdengji.登记日期 BETWEEN ? AND ? "), {iso(start), iso(end)}};
}

} // namespace daterange
