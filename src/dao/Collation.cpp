#include "Collation.h"

#include <sqlcipher/sqlite3.h>

#include <QCollator>
#include <QLocale>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

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

// Jet's Chinese order puts Latin letters, digits and signs before the Hanzi, where the
// Chinese collator puts them after; so the first differing character decides that.
int narrowFirst(const QString &a, const QString &b)
{
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i].toCaseFolded() == b[i].toCaseFolded())
        ++i;
    if (i < a.size() && i < b.size()) {
        const bool narrowA = a[i].unicode() < 0x80;
        const bool narrowB = b[i].unicode() < 0x80;
        if (narrowA != narrowB)
            return narrowA ? -1 : 1;
    }
    return 0;
}

int sign(int c)
{
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Texts the collator holds equal still need a stable order.
int byCodeUnits(const QString &a, const QString &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The collation sees the same few thousand names over and over while SQLite sorts: each
// is decoded and keyed once per thread. The cache is emptied when it grows past its cap,
// before a comparison and never between its two look-ups.
class KeyCache {
public:
    void trim()
    {
        if (m_keys.size() >= kCap)
            m_keys.clear();
    }
    const ChineseKey &key(std::string_view utf8)
    {
        const auto found = m_keys.find(utf8);
        if (found != m_keys.end())
            return *found->second;
        auto key = std::make_unique<ChineseKey>(
            QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
        return *m_keys.emplace(std::string(utf8), std::move(key)).first->second;
    }

private:
    static constexpr size_t kCap = 200000;
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, std::unique_ptr<ChineseKey>, Hash, std::equal_to<>> m_keys;
};

int collate(void *, int lenA, const void *a, int lenB, const void *b)
{
    thread_local KeyCache cache;
    cache.trim();
    const ChineseKey &ka = cache.key({static_cast<const char *>(a), static_cast<size_t>(lenA)});
    const ChineseKey &kb = cache.key({static_cast<const char *>(b), static_cast<size_t>(lenB)});
    return ka.compare(kb);
}

} // namespace

int compareChinese(const QString &a, const QString &b)
{
    if (const int n = narrowFirst(a, b))
        return n;
    if (const int c = sign(chineseCollator().compare(a, b)))
        return c;
    return byCodeUnits(a, b);
}

ChineseKey::ChineseKey(const QString &text) : m_text(text), m_key(chineseCollator().sortKey(text))
{
}

int ChineseKey::compare(const ChineseKey &other) const
{
    if (const int n = narrowFirst(m_text, other.m_text))
        return n;
    if (const int c = sign(m_key.compare(other.m_key)))
        return c;
    return byCodeUnits(m_text, other.m_text);
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
