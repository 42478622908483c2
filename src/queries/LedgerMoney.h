#pragma once

#include "platform/Convert.h"

#include <QDate>
#include <QString>
#include <QVariant>

// Money and quantities of the ledger reports. The engine sums whole ten-thousandths, so a
// total is exact at any size; the reports round to cents where their figures are shown.
namespace queries {

using platform::convert::Currency;

// The ledger's period: both days count.
struct Period {
    QDate start;
    QDate end;
};
// The ledger's default: the calendar month before today's.
Period previousMonth(const QDate &today);

// A line's amount (quantity times unit price) in ten-thousandths, as an SQL expression
// over the table or alias given.
QString amountUnits(const QString &table);
// A line's quantity in ten-thousandths, likewise.
QString quantityUnits(const QString &table);

// A quantity, or a quantity times a price, in ten-thousandths rounded as the two SQL
// expressions above round it (the engine's round(), a half away from zero), for values
// read as they are stored.
Currency units(double value);

// A summed column of ten-thousandths; null (no line) is zero.
Currency fromUnits(const QVariant &units);
// Rounded to cents, as the shown figure is.
Currency cents(Currency value);
// The figure as the reports show it: "1,234.50".
QString standardText(Currency value);
// A shown figure read back; throws when the text is no number.
Currency cellValue(const QString &text);

// "2026-01-01至2026-01-31" followed by the report's name.
QString reportTitle(const Period &period, const QString &name);

} // namespace queries
