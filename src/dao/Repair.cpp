#include "Repair.h"

#include "Database.h"
#include "EngineMemory.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include <functional>
#include <limits>

namespace dao {
namespace {

constexpr qint64 kFirstRowid = std::numeric_limits<qint64>::min();
constexpr qint64 kLastRowid = std::numeric_limits<qint64>::max();

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

struct Statement {
    sqlite3_stmt *stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

// The damaged file, opened read-only so that nothing of it ever changes. The engine is
// told to trust the pages that are there: a truncated file, whose header counts more
// pages than it holds, is otherwise refused whole.
class Source {
public:
    Source(const QString &path, const QString &key)
    {
        if (!m_lock.acquire(path, PresenceLock::Mode::Exclusive))
            throw DaoError(ErrHeldExclusively, QStringLiteral("database is in use: ") + path, SQLITE_BUSY);
        setUpEngineMemory();
        int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        const QByteArray k = key.toUtf8();
        if (rc == SQLITE_OK)
            rc = sqlite3_key(m_db, k.constData(), static_cast<int>(k.size()));
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(m_db, "PRAGMA writable_schema=ON", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw DaoError(ErrUnrecognized, QString::fromUtf8(sqlite3_errmsg(m_db)) + QStringLiteral(": ") + path, rc);
    }
    ~Source() { sqlite3_close_v2(m_db); }
    Source(const Source &) = delete;
    Source &operator=(const Source &) = delete;

    // With a damaged schema the first statement fails while the readable part of the
    // schema is taken in; the next one works against that part.
    bool prepare(const QByteArray &sql, Statement &s)
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (sqlite3_prepare_v2(m_db, sql.constData(), static_cast<int>(sql.size()), &s.stmt, nullptr)
                == SQLITE_OK)
                return true;
            sqlite3_finalize(s.stmt);
            s.stmt = nullptr;
        }
        return false;
    }

private:
    sqlite3 *m_db = nullptr;
    PresenceLock m_lock;
};

enum class Outcome { End, Unreadable };

using RowSink = std::function<void(sqlite3_stmt *)>;

// Reads the rows from `start` on in rowid order until the end or the first page that
// cannot be read; `last` is the rowid of the last row read.
Outcome readFrom(Statement &s, qint64 start, int limit, const RowSink &sink, qint64 &last, bool &any)
{
    sqlite3_reset(s.stmt);
    sqlite3_bind_int64(s.stmt, 1, start);
    sqlite3_bind_int64(s.stmt, 2, limit);
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
        last = sqlite3_column_int64(s.stmt, 0);
        any = true;
        sink(s.stmt);
    }
    sqlite3_reset(s.stmt);
    return rc == SQLITE_DONE ? Outcome::End : Outcome::Unreadable;
}

// True when a read from `start` gets past the damage: its first row reads whole, or no
// row follows.
bool readableFrom(Statement &probe, qint64 start)
{
    qint64 last = 0;
    bool any = false;
    return readFrom(probe, start, 1, [](sqlite3_stmt *) {}, last, any) == Outcome::End;
}

// Every readable row of a rowid table, around the pages that cannot be read: after a
// failure the reading goes on from the smallest rowid past the damage, found by taking
// ever larger steps and then halving back.
void salvageRows(Source &source, const QString &from, const RowSink &sink)
{
    const QByteArray sql = (QStringLiteral("SELECT rowid, * FROM ") + from
                            + QStringLiteral(" WHERE rowid >= ?1 ORDER BY rowid LIMIT ?2"))
                               .toUtf8();
    Statement rows, probe;
    if (!source.prepare(sql, rows) || !source.prepare(sql, probe))
        return;
    qint64 start = kFirstRowid;
    for (;;) {
        qint64 last = 0;
        bool any = false;
        if (readFrom(rows, start, -1, sink, last, any) == Outcome::End)
            return;
        if (any) {
            if (last == kLastRowid)
                return;
            start = last + 1;
        }
        // `start` fails; find the first start past it that reads.
        qint64 bad = start;
        qint64 step = 1;
        qint64 good = 0;
        for (;;) {
            if (bad > kLastRowid - step)
                return; // nothing readable up to the end of the key range
            good = bad + step;
            if (readableFrom(probe, good))
                break;
            bad = good;
            if (step < (std::numeric_limits<qint64>::max() >> 1))
                step *= 2;
        }
        while (good - bad > 1) {
            const qint64 mid = bad + (good - bad) / 2;
            if (readableFrom(probe, mid))
                good = mid;
            else
                bad = mid;
        }
        start = good;
    }
}

struct SchemaEntry {
    QString type, name, sql;
};

QList<SchemaEntry> salvageSchema(Source &source)
{
    QList<SchemaEntry> entries;
    salvageRows(source, QStringLiteral("sqlite_master"), [&](sqlite3_stmt *s) {
        // rowid, type, name, tbl_name, rootpage, sql
        const auto text = [s](int i) {
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, i)));
        };
        if (sqlite3_column_type(s, 5) != SQLITE_NULL)
            entries.append({text(1), text(2), text(5)});
    });
    return entries;
}

// Copies the readable rows of one table; a row that breaks a rule of its table (one the
// damage produced) is left out. Returns the rows kept.
qint64 copyTable(Source &source, Database &to, const QString &table)
{
    Statement insert;
    qint64 kept = 0;
    salvageRows(source, quoteIdent(table), [&](sqlite3_stmt *row) {
        const int n = sqlite3_column_count(row) - 1;
        if (!insert.stmt) {
            QString sql = QStringLiteral("INSERT OR IGNORE INTO ") + quoteIdent(table) + QStringLiteral(" VALUES(?");
            sql += QStringLiteral(",?").repeated(n - 1) + u')';
            const QByteArray text = sql.toUtf8();
            if (sqlite3_prepare_v2(to.handle(), text.constData(), static_cast<int>(text.size()), &insert.stmt, nullptr)
                != SQLITE_OK)
                to.fail(sqlite3_errcode(to.handle()));
        }
        sqlite3_reset(insert.stmt);
        for (int i = 0; i < n; ++i)
            sqlite3_bind_value(insert.stmt, i + 1, sqlite3_column_value(row, i + 1));
        const int rc = sqlite3_step(insert.stmt);
        if (rc != SQLITE_DONE && (rc & 0xFF) != SQLITE_CONSTRAINT)
            to.failStep(rc);
        kept += sqlite3_changes(to.handle());
    });
    return kept;
}

// Keys handed out before stay handed out: the counters never fall below what they were.
void restoreSequences(Source &source, Database &to)
{
    salvageRows(source, QStringLiteral("sqlite_sequence"), [&](sqlite3_stmt *s) {
        const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 1)));
        const qint64 seq = sqlite3_column_int64(s, 2);
        if (!to.hasTable(name))
            return;
        to.exec(QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?"), {seq, name});
        if (to.changes() == 0)
            to.exec(QStringLiteral("INSERT INTO sqlite_sequence(name, seq) VALUES(?, ?)"), {name, seq});
    });
}

} // namespace

RepairResult repairDatabase(const QString &path, const QString &key)
{
    RepairResult result;
    const QString temp = freeName(path + QStringLiteral(".repair"));
    {
        Source source(path, key);
        const QList<SchemaEntry> schema = salvageSchema(source);
        if (schema.isEmpty())
            throw DaoError(ErrUnrecognized, QStringLiteral("nothing readable with the key: ") + path, SQLITE_NOTADB);
        try {
            auto to = Database::create(temp, key);
            Transaction t(*to);
            bool sequences = false;
            for (const SchemaEntry &e : schema) {
                if (e.type != u"table")
                    continue;
                if (e.name.compare(u"sqlite_sequence", Qt::CaseInsensitive) == 0) {
                    sequences = true;
                    continue;
                }
                if (e.name.startsWith(u"sqlite_", Qt::CaseInsensitive))
                    continue;
                to->exec(e.sql);
                result.keptRows.append({e.name, copyTable(source, *to, e.name)});
            }
            if (sequences && to->hasTable(QStringLiteral("sqlite_sequence")))
                restoreSequences(source, *to);
            for (const SchemaEntry &e : schema) {
                if (e.type == u"table" || e.name.startsWith(u"sqlite_", Qt::CaseInsensitive))
                    continue;
                try {
                    to->exec(e.sql);
                } catch (const DaoError &) {
                    // An index or view whose table was lost with the damage stays out.
                }
            }
            t.commit();
        } catch (...) {
            QFile::remove(temp);
            throw;
        }
    }
    QFile::remove(PresenceLock::lockPathFor(temp)); // the rebuilt file's own, not the database's
    result.damagedCopy = freeName(path + QStringLiteral(".damaged"));
    if (!QFile::rename(path, result.damagedCopy)) {
        QFile::remove(temp);
        throw DaoError(ErrGeneric, QStringLiteral("cannot move the damaged file aside: ") + path);
    }
    if (!QFile::rename(temp, path)) {
        QFile::rename(result.damagedCopy, path);
        throw DaoError(ErrGeneric, QStringLiteral("cannot put the repaired file in place: ") + path);
    }
    return result;
}

} // namespace dao
