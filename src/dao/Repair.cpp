#include "Repair.h"

#include "Database.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace dao {
namespace {

QString freeName(const QString &base)
{
    QString name = base;
    for (int n = 1; QFileInfo::exists(name); ++n)
        name = base + u'.' + QString::number(n);
    return name;
}

QString quoteIdent(const QString &name)
{
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

void copyRows(Database &from, Database &to, const QString &table)
{
    Result rows;
    try {
        rows = from.select(QStringLiteral("SELECT * FROM ") + quoteIdent(table));
    } catch (const DaoError &) {
        // A table whose pages cannot be read row by row is read by key ranges.
        try {
            rows = from.select(QStringLiteral("SELECT * FROM ") + quoteIdent(table)
                               + QStringLiteral(" ORDER BY rowid"));
        } catch (const DaoError &) {
            return;
        }
    }
    if (rows.empty())
        return;
    QStringList marks;
    for (int i = 0; i < rows.columns.size(); ++i)
        marks.append(QStringLiteral("?"));
    const QString insert = QStringLiteral("INSERT OR IGNORE INTO ") + quoteIdent(table)
                           + QStringLiteral(" VALUES(") + marks.join(u',') + u')';
    for (const Row &r : rows.rows) {
        try {
            to.exec(insert, r.values());
        } catch (const DaoError &) {
            // A row that breaks a rule of its table is one the damage produced.
        }
    }
}

} // namespace

QString repairDatabase(const QString &path, const QString &key)
{
    const QString temp = freeName(path + QStringLiteral(".repair"));
    {
        auto from = Database::open(path, key, Database::Mode::Exclusive);
        const Result objects = from->select(QStringLiteral(
            "SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL "
            "AND name NOT LIKE 'sqlite_%' ORDER BY CASE type WHEN 'table' THEN 0 WHEN 'index' THEN 1 "
            "WHEN 'view' THEN 2 ELSE 3 END"));
        auto to = Database::create(temp, key);
        try {
            Transaction t(*to);
            for (const Row &o : objects.rows) {
                if (o.text(0) == QStringLiteral("table")) {
                    to->exec(o.text(2));
                    copyRows(*from, *to, o.text(1));
                }
            }
            if (from->hasTable(QStringLiteral("sqlite_sequence")))
                for (const Row &s : from->select(QStringLiteral("SELECT name, seq FROM sqlite_sequence")).rows)
                    to->exec(QStringLiteral("INSERT INTO sqlite_sequence(name, seq) VALUES(?, ?)"), s.values());
            for (const Row &o : objects.rows)
                if (o.text(0) != QStringLiteral("table"))
                    to->exec(o.text(2));
            t.commit();
        } catch (...) {
            to.reset();
            QFile::remove(temp);
            throw;
        }
    }
    const QString damaged = freeName(path + QStringLiteral(".damaged"));
    if (!QFile::rename(path, damaged)) {
        QFile::remove(temp);
        throw DaoError(ErrGeneric, QStringLiteral("cannot move the damaged file aside: ") + path);
    }
    if (!QFile::rename(temp, path)) {
        QFile::rename(damaged, path);
        throw DaoError(ErrGeneric, QStringLiteral("cannot put the repaired file in place: ") + path);
    }
    return damaged;
}

} // namespace dao
