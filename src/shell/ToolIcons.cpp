#include "ToolIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace {

struct Look {
    const char *key;
    char16_t sign;
    QRgb colour;
};

// Groups share a colour: session, documents, queries, catalogue, help, exit.
constexpr Look kLooks[] = {
    {"tbLogin", u'登', 0x2e7d32},   {"tbRest", u'销', 0x2e7d32},     {"tbRegIn", u'入', 0x1565c0},
    {"tbRegOut", u'出', 0x1565c0},  {"tbRegBS", u'损', 0x1565c0},    {"tbIndent", u'订', 0x1565c0},
    {"tbQRegStore", u'存', 0x6a1b9a}, {"tbQRegIn", u'入', 0x6a1b9a}, {"tbQRegOut", u'出', 0x6a1b9a},
    {"tbQRegBS", u'损', 0x6a1b9a},  {"tbRegSet", u'剂', 0xef6c00},   {"tbHelp", u'?', 0x00838f},
    {"tbAbout", u'i', 0x00838f},    {"tbExit", u'退', 0xc62828},
};

QPixmap tile(char16_t sign, QColor colour, bool magnifier)
{
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 12, 12);
    QFont f;
    f.setPixelSize(34);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 2, 56, 56), Qt::AlignCenter, QString(QChar(sign)));
    if (magnifier) {
        // The queries carry a small lens in the corner.
        p.setPen(QPen(Qt::white, 4));
        p.setBrush(colour.darker(130));
        p.drawEllipse(QPointF(46, 46), 9, 9);
        p.drawLine(QPointF(52, 52), QPointF(60, 60));
    }
    return pm;
}

} // namespace

QIcon toolIcon(const QString &key)
{
    for (const Look &l : kLooks) {
        if (key == QLatin1String(l.key)) {
            const bool query = key.startsWith(QLatin1String("tbQ"));
            return QIcon(tile(l.sign, QColor::fromRgb(l.colour), query));
        }
    }
    return QIcon();
}

QIcon programIcon()
{
    return QIcon(tile(u'澜', QColor::fromRgb(0x1565c0), false));
}
