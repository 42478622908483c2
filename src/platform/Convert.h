#pragma once

#include <QString>

#include <compare>
#include <optional>

// The value conversions the original language runtime did implicitly, written out once.
namespace platform::convert {

// Round half to even (the runtime's rounding of numbers to whole numbers).
double roundHalfEven(double value);
// Round to the given decimals, half to even, as Currency and the 4-decimal quantities do.
double roundTo(double value, int decimals);
// Round to the given decimals a half away from zero, as the runtime's Format ("Standard")
// did and a store keeper rounds money by hand: 0.125 -> 0.13, -0.125 -> -0.13. The value
// is read as its 15 significant decimal digits, so 1.005 (held as 1.00499999...) is the
// half it was written as.
double roundHalfAway(double value, int decimals);

// A number as the runtime read text: blanks around it, an optional sign, digits with
// thousands separators, a decimal point, an exponent. Empty when the text is no number.
std::optional<double> parseNumber(const QString &text);
// IsNumeric: true for what parseNumber accepts (so the program's own "1,234.50" is numeric).
bool isNumeric(const QString &text);
// A flag as the settings hold it: "True"/"False" in any letter case, or a number (0 false).
std::optional<bool> parseFlag(const QString &text);

// Format "Standard": thousands separators and two decimals rounded a half away from zero,
// "-1,234.50".
QString standard(double value);
// The same of a single-precision number, read as the 7 digits the runtime wrote a single
// with: the price 1.005 held as the single 1.00499999523 is 1.01.
QString standard(float value);
// A single-precision number written as text the way the runtime wrote it (shortest form
// that reads back as the same single; "1", "1.15", "0.5").
QString singleText(float value);
// A double written as text (shortest round trip, no exponent for ordinary magnitudes).
QString doubleText(double value);
// doubleText written to buf without allocating, for the values that need no exponent in
// the shortest form (nearly all): the count of characters, or 0 when doubleText must be used.
int shortDoubleText(double value, char (&buf)[32]);
// Flags as the settings file stores them.
inline QString flagText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

// An amount, or a stock figure, with four decimals in ten-thousandths, summed and compared
// exactly: a stock total and a single-precision limit compare as the figures the store keeps
// (the single 1.10000002 is the limit 1.1 that was typed).
struct Currency {
    qint64 units = 0;

    static Currency fromDouble(double v);
    double toDouble() const { return static_cast<double>(units) / 10000.0; }
    Currency &operator+=(Currency o) { units += o.units; return *this; }
    friend Currency operator+(Currency a, Currency b) { return {a.units + b.units}; }
    friend Currency operator-(Currency a, Currency b) { return {a.units - b.units}; }
    friend bool operator==(Currency a, Currency b) { return a.units == b.units; }
    friend auto operator<=>(Currency a, Currency b) { return a.units <=> b.units; }
    // The product of a quantity and a price, rounded to four decimals.
    static Currency product(double quantity, double price);
};

} // namespace platform::convert
