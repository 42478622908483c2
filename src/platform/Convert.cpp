#include "Convert.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace platform::convert {

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

double roundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Decimal text such as 2.675 is stored just below its value; look at the scaled value
    // as the runtime's decimal arithmetic did, to 9 significant places past the point.
    const double cleaned = std::round(scaled * 1e6) / 1e6;
    return std::nearbyint(cleaned) / scale;
}

namespace {

constexpr std::array<qint64, 16> kPowersOfTen = [] {
    std::array<qint64, 16> p{1};
    for (size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

// value * 10^decimals (0 to 15) rounded a half away from zero, taking the value as its
// decimal text of `significant` digits (15 for a double, 7 for a single, as the runtime
// wrote them): the digits of the text it was written as, for any figure of that many
// digits. Empty when the value is not finite, or so large that the result would not fit.
std::optional<qint64> scaledHalfAway(double value, int decimals, int significant)
{
    if (!std::isfinite(value) || decimals < 0 || decimals >= static_cast<int>(kPowersOfTen.size()))
        return std::nullopt;
    // "d.ddd...e+x", correctly rounded from the binary value.
    char buf[40];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, significant - 1);
    qint64 digits = buf[0] - '0';
    for (int i = 2; i <= significant; ++i)
        digits = digits * 10 + (buf[i] - '0');
    int exponent = 0;
    std::from_chars(buf + significant + 3, res.ptr, exponent);
    if (buf[significant + 2] == '-')
        exponent = -exponent;
    const int shift = exponent - (significant - 1) + decimals;
    if (shift > 18 - significant)
        return std::nullopt;
    qint64 n = 0;
    if (shift >= 0) {
        n = digits * kPowersOfTen[static_cast<size_t>(shift)];
    } else if (-shift <= significant) {
        const qint64 p = kPowersOfTen[static_cast<size_t>(-shift)];
        n = digits / p + ((digits % p) * 2 >= p ? 1 : 0);
    }
    return value < 0 ? -n : n;
}

constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;

// "Standard" of a value whose cents are given, or of the value itself when they are not.
QString standardText(std::optional<qint64> cents, double value)
{
    if (!cents) {
        QLocale c(QLocale::C);
        c.setNumberOptions(QLocale::DefaultNumberOptions);
        return c.toString(value, 'f', 2); // QLocale::C groups with commas unless told not to
    }
    // Written by hand: grids format a column of every row they fill this way.
    char buf[40];
    char *p = buf + sizeof buf;
    quint64 u = static_cast<quint64>(*cents < 0 ? -*cents : *cents);
    for (int i = 0; i < 2; ++i, u /= 10)
        *--p = static_cast<char>('0' + u % 10);
    *--p = '.';
    int group = 0;
    do {
        if (group++ == 3) {
            *--p = ',';
            group = 1;
        }
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (*cents < 0)
        *--p = '-';
    return QString::fromLatin1(p, buf + sizeof buf - p);
}

} // namespace

double roundHalfAway(double value, int decimals)
{
    const auto n = scaledHalfAway(value, decimals, kDoubleDigits);
    if (!n)
        return value;
    return static_cast<double>(*n) / static_cast<double>(kPowersOfTen[static_cast<size_t>(decimals)]);
}

std::optional<double> parseNumber(const QString &text)
{
    // A hand-written scan: grids call this for every cell they fill.
    // Form: blanks, sign, blanks, digits (grouped by commas in threes, or plain), an
    // optional fraction, an optional exponent, blanks.
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto at = [&](qsizetype k) { return k < n ? text[k].unicode() : u'\0'; };
    const auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    const auto isBlank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    std::string normal;
    normal.reserve(static_cast<size_t>(n));
    while (isBlank(at(i)))
        ++i;
    if (at(i) == u'+' || at(i) == u'-') {
        if (at(i) == u'-')
            normal.push_back('-');
        ++i;
        while (isBlank(at(i)))
            ++i;
    }
    qsizetype digits = 0;
    qsizetype group = 0; // digits since the last comma; -1 before any comma
    bool grouped = false;
    for (;; ++i) {
        const char16_t c = at(i);
        if (isDigit(c)) {
            normal.push_back(static_cast<char>(c));
            ++digits;
            ++group;
        } else if (c == u',') {
            if (digits == 0 || (grouped ? group != 3 : group > 3))
                return std::nullopt;
            grouped = true;
            group = 0;
        } else {
            break;
        }
    }
    if (grouped && group != 3)
        return std::nullopt;
    if (at(i) == u'.') {
        normal.push_back('.');
        ++i;
        while (isDigit(at(i))) {
            normal.push_back(static_cast<char>(at(i)));
            ++digits;
            ++i;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (at(i) == u'e' || at(i) == u'E') {
        qsizetype k = i + 1;
        std::string exponent = "e";
        if (at(k) == u'+' || at(k) == u'-')
            exponent.push_back(static_cast<char>(at(k++)));
        if (!isDigit(at(k)))
            return std::nullopt;
        while (isDigit(at(k)))
            exponent.push_back(static_cast<char>(at(k++)));
        normal += exponent;
        i = k;
    }
    while (isBlank(at(i)))
        ++i;
    if (i != n)
        return std::nullopt;
    double v = 0;
    const char *first = normal.data();
    const char *last = first + normal.size();
    // from_chars takes no leading '+' and no lone '.': both were handled above.
    const auto res = std::from_chars(first, last, v);
    if (res.ec != std::errc() || res.ptr != last || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool isNumeric(const QString &text)
{
    return parseNumber(text).has_value();
}

std::optional<bool> parseFlag(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto n = parseNumber(t))
        return *n != 0.0;
    return std::nullopt;
}

QString standard(double value)
{
    return standardText(scaledHalfAway(value, 2, kDoubleDigits), value);
}

QString standard(float value)
{
    const double v = static_cast<double>(value);
    return standardText(scaledHalfAway(v, 2, kSingleDigits), v);
}

QString singleText(float value)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    QString s = QString::fromLatin1(buf, res.ptr - buf);
    if (s.contains(u'e'))
        s = QString::number(static_cast<double>(value), 'f', 7).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
    return s;
}

int shortDoubleText(double value, char (&buf)[32])
{
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    const auto n = static_cast<int>(res.ptr - buf);
    return std::find(buf, res.ptr, 'e') == res.ptr ? n : 0;
}

QString doubleText(double value)
{
    char buf[32];
    if (const int n = shortDoubleText(value, buf))
        return QString::fromLatin1(buf, n);
    return QString::number(value, 'f', 10).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

Currency Currency::fromDouble(double v)
{
    return {static_cast<qint64>(std::llround(roundTo(v, 4) * 10000.0))};
}

Currency Currency::product(double quantity, double price)
{
    return fromDouble(quantity * price);
}

} // namespace platform::convert
