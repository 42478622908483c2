#include "LedgerMoney.h"

#include "shell/ModData.h"

#include <algorithm>
#include <stdexcept>

namespace queries {

namespace convert = platform::convert;

Period previousMonth(const QDate &today)
{
    const QDate first(today.year(), today.month(), 1);
    return {first.addMonths(-1), first.addDays(-1)};
}

QString amountUnits(const QString &table)
{
    return QStringLiteral("CAST(round(%1.数量*%1.单价*10000) AS INTEGER)").arg(table);
}

QString quantityUnits(const QString &table)
{
    return QStringLiteral("CAST(round(%1.数量*10000) AS INTEGER)").arg(table);
}

Currency units(double value)
{
    // The engine's own steps: scale, add a half to the magnitude and cut the fraction; the
    // bound keeps the cut defined, far beyond any amount of a store.
    const double scaled = std::clamp(value * 10000, -9e18, 9e18);
    return {scaled >= 0 ? static_cast<qint64>(scaled + 0.5) : -static_cast<qint64>(-scaled + 0.5)};
}

Currency fromUnits(const QVariant &units)
{
    return {units.isNull() ? 0 : units.toLongLong()};
}

Currency cents(Currency value)
{
    return Currency::fromDouble(convert::roundHalfAway(value.toDouble(), 2));
}

QString standardText(Currency value)
{
    return convert::standard(value.toDouble());
}

Currency cellValue(const QString &text)
{
    const auto number = convert::parseNumber(text);
    if (!number)
        throw std::runtime_error("类型不匹配");
    return Currency::fromDouble(*number);
}

QString reportTitle(const Period &period, const QString &name)
{
    return ModData::FmtDate(period.start) + QStringLiteral("至") + ModData::FmtDate(period.end) + name;
}

} // namespace queries
