#include "Collation.h"

#include <sqlcipher/sqlite3.h>

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <memory>
#include <optional>
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

bool isAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char folded(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Codes of ASCII letters and digits only (pinyin codes, barcodes) need no collator: it
// orders them digits first, letters without case, a prefix before the longer text; and
// the tie of texts equal but for case goes by code units, which bytes order alike.
std::optional<int> compareAlnum(std::string_view a, std::string_view b)
{
    for (char c : a)
        if (!isAlnum(c))
            return std::nullopt;
    for (char c : b)
        if (!isAlnum(c))
            return std::nullopt;
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char fa = folded(a[i]);
        const char fb = folded(b[i]);
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int collate(void *, int lenA, const void *a, int lenB, const void *b)
{
    const std::string_view ta(static_cast<const char *>(a), static_cast<size_t>(lenA));
    const std::string_view tb(static_cast<const char *>(b), static_cast<size_t>(lenB));
    if (ta == tb)
        return 0;
    if (const std::optional<int> c = compareAlnum(ta, tb))
        return *c;
    thread_local KeyCache cache;
    cache.trim();
    const ChineseKey &ka = cache.key(ta);
    const ChineseKey &kb = cache.key(tb);
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
