#include "Collation.h"

#include <sqlcipher/sqlite3.h>

#include <QCollator>
#include <QLocale>

namespace dao {
namespace {

const QCollator &chineseCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::China));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

int collate(void *, int lenA, const void *a, int lenB, const void *b)
{
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), lenA);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), lenB);
    return compareChinese(sa, sb);
}

} // namespace

int compareChinese(const QString &a, const QString &b)
{
    // Jet's Chinese order puts Latin letters, digits and signs before the Hanzi, where the
    // Chinese collator puts them after; so the first differing character decides that.
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i].toCaseFolded() == b[i].toCaseFolded())
        ++i;
    if (i < a.size() && i < b.size()) {
        const bool narrowA = a[i].unicode() < 0x80;
        const bool narrowB = b[i].unicode() < 0x80;
        if (narrowA != narrowB)
            return narrowA ? -1 : 1;
    }
    const int c = chineseCollator().compare(a, b);
    if (c != 0)
        return c < 0 ? -1 : 1;
    // Texts the collator holds equal still need a stable order.
    return a < b ? -1 : (b < a ? 1 : 0);
}

void registerChineseCollation(sqlite3 *db)
{
    sqlite3_create_collation(db, "ZH", SQLITE_UTF8, nullptr, collate);
}

QString escapeLike(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            out.append(u'\\');
        out.append(c);
    }
    return out;
}

QString likeContains(const QString &text)
{
    return u'%' + escapeLike(text) + u'%';
}

QString likeStartsWith(const QString &text)
{
    return escapeLike(text) + u'%';
}

} // namespace dao
