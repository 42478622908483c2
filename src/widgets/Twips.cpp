#include "Twips.h"

#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace twips {

double fontScale(const QFont &font)
{
    const QFontMetricsF metrics(font);
    const QString digits = QStringLiteral("0123456789");
    const QString chinese = QStringLiteral("品名规格批号单价金额");
    const double digit = metrics.horizontalAdvance(digits) / digits.size();
    const double character = metrics.horizontalAdvance(chinese) / chinese.size();
    const double scale = std::max(digit / ReferenceDigitWidth, character / ReferenceChineseWidth);
    return scale > 0 ? scale : 1.0;
}

double fontScale()
{
    return fontScale(QGuiApplication::font());
}

int pixels(int twips, double scale)
{
    return static_cast<int>(std::lround(twips * scale / PerPixel));
}

int toTwips(int pixels, double scale)
{
    return static_cast<int>(std::lround(pixels * PerPixel / scale));
}

int pixels(int twips)
{
    return pixels(twips, fontScale());
}

QRect rect(int x, int y, int w, int h)
{
    const double scale = fontScale();
    return {pixels(x, scale), pixels(y, scale), pixels(w, scale), pixels(h, scale)};
}

} // namespace twips
