#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace dao {
class Database;
}

// The tables of the database file through its versions: one description that creates the
// current file, every earlier layout, the targets of the upgrade steps, and the check of a
// file against the current layout.
namespace schema {

// The engine types the windows read and write. Their storage in SQLite:
// Counter INTEGER PRIMARY KEY AUTOINCREMENT; Long, Integer INTEGER; Double (only the
// document number, a whole number) INTEGER; Single and Currency REAL rounded to four
// decimals on every write; DateTime ISO text; Text and Memo TEXT; YesNo -1/0.
enum class Type { Counter, Long, Integer, Single, Double, Currency, DateTime, Text, Memo, YesNo };

// A schema version in tenths: V34 is 3.4.
enum Version : int {
    V30 = 30, V34 = 34, V37 = 37, V40 = 40, V41 = 41, V42 = 42, V43 = 43,
    V50 = 50, V51 = 51, V52 = 52, V53 = 53,
    VNever = 1000
};
inline constexpr Version kCurrent = V53;
inline constexpr std::array<Version, 11> kVersions{V30, V34, V37, V40, V41, V42, V43, V50, V51, V52, V53};
// "5.3" for V53.
QString versionText(Version v);

struct Field {
    QString name;
    Type type = Type::Text;
    int size = 0;            // Text: the most characters
    bool required = false;   // NOT NULL
    bool zeroLength = false; // an empty string is accepted (Text, Memo)
    bool defaultZero = false;

    bool rounded() const { return type == Type::Single || type == Type::Currency; }
};

struct Index {
    QString field;
    bool unique = false; // unique ones compare without letter case, as the engine did
    // Further columns kept in the index after its key, so that a statement reading only
    // these finds everything in the index and never reads the table's rows.
    QStringList carries = {};
};

// One table as it is at one version, fields in their order.
struct Layout {
    QString name;
    QList<Field> fields;
    QList<Index> indexes;

    bool hasField(const QString &name) const { return position(name) >= 0; }
    // The 0-based position the windows address the field by; -1 when there is none.
    int position(const QString &field) const;
    const Field *field(const QString &name) const;
    bool hasCounter() const { return !fields.isEmpty() && fields.first().type == Type::Counter; }

    QString createSql() const;
    QString indexName(const Index &index) const;
    QStringList indexSql() const;
    // The triggers that round the Single and Currency fields on every write.
    QStringList triggerSql() const;
};

// A Single or Currency column's value as it is stored: a number rounded to four decimals.
QString roundedExpression(const QString &column);

// The tables at a version, under their names at that version.
QList<Layout> layoutsAt(Version v);
// One table (named by its current name) at a version; empty when it did not exist then.
std::optional<Layout> layoutAt(const QString &currentName, Version v);
// The current layout of a table by its current name; throws when there is none.
const Layout &current(const QString &name);
// A table's name at a version (the Chinese names before 5.0).
QString tableNameAt(const QString &currentName, Version v);
// A field's name at a version (three fields had other names before 5.0).
QString fieldNameAt(const QString &currentTable, const QString &currentField, Version v);

// A table, field or index name as an SQL identifier.
QString quoted(const QString &name);

// Creates one table with its indexes and rounding triggers.
void createTable(dao::Database &db, const Layout &layout);
// Creates every table of the layout of v in an empty database, with the version stamp
// where the layout has one. The delivered file is the current layout.
void createTables(dao::Database &db, Version v = kCurrent);

// The tables, indexes and triggers of the open file that differ from the current layout,
// one line each; empty when the file has exactly the current structure.
QStringList differences(dao::Database &db);

} // namespace schema
