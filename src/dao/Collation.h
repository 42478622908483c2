#pragma once

#include <QCollatorSortKey>
#include <QString>

struct sqlite3;

namespace dao {

// Jet compared names in the Chinese (PRC) order, pinyin for Hanzi; SQL that orders by a
// Chinese name says COLLATE ZH.
void registerChineseCollation(sqlite3 *db);
int compareChinese(const QString &a, const QString &b);

// A text with its collation key made once, for sorting many texts: compare() gives the
// order of compareChinese without converting anything per comparison.
class ChineseKey {
public:
    explicit ChineseKey(const QString &text);
    const QString &text() const { return m_text; }
    int compare(const ChineseKey &other) const;

private:
    QString m_text;
    QCollatorSortKey m_key;
};

// "contains" as a LIKE pattern with the user's own %, _ and \ escaped; use with
// "LIKE ? ESCAPE '\'".
QString likeContains(const QString &text);
// "starts with", the same way.
QString likeStartsWith(const QString &text);
QString escapeLike(const QString &text);

} // namespace dao
