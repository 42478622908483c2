#include "Convert.h"

#include <QLocale>
#include <QRegularExpression>

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

std::optional<double> parseNumber(const QString &text)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*([+-]?)\\s*((?:\\d{1,3}(?:,\\d{3})+|\\d*)(?:\\.\\d*)?)(?:[eE]([+-]?\\d+))?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    QString digits = m.captured(2);
    digits.remove(u',');
    if (digits.isEmpty() || digits == QStringLiteral("."))
        return std::nullopt;
    QString normal = m.captured(1) + digits;
    if (!m.captured(3).isEmpty())
        normal += u'e' + m.captured(3);
    bool ok = false;
    const double v = normal.toDouble(&ok);
    if (!ok || !std::isfinite(v))
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
    const double r = roundTo(value, 2);
    QLocale c(QLocale::C);
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    QString s = c.toString(std::fabs(r), 'f', 2);
    // QLocale::C groups with commas when grouping is not suppressed.
    return (r < 0 ? QStringLiteral("-") : QString()) + s;
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

QString doubleText(double value)
{
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    QString s = QString::fromLatin1(buf, res.ptr - buf);
    if (s.contains(u'e'))
        s = QString::number(value, 'f', 10).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
    return s;
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
