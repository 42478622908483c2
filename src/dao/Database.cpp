#include "Database.h"

#include "Collation.h"
#include "EngineMemory.h"

#include <sqlcipher/sqlite3.h>

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QTime>

namespace dao {
namespace {

constexpr int kBusyTimeoutMs = 5000;
// The page cache of the connection, in KiB: room for the reagent register, the lots and
// the date range of a year of movements on a store of fifty thousand reagents and two
// million lines (the engine's default of 2 MiB rereads and decrypts them every query).
// It fills only as pages are read, so a small store never costs it.
constexpr int kPageCacheKiB = 64 * 1024;

QString errorText(sqlite3 *db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
}

void bindValue(sqlite3_stmt *stmt, int index, const QVariant &v)
{
    if (v.isNull() || !v.isValid()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int64(stmt, index, v.toBool() ? -1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        sqlite3_bind_int64(stmt, index, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt, index, v.toDouble());
        break;
    case QMetaType::QDate: {
        const QByteArray t = v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
        sqlite3_bind_text(stmt, index, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QDateTime: {
        const QByteArray t = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        sqlite3_bind_text(stmt, index, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QTime: {
        const QByteArray t = v.toTime().toString(QStringLiteral("HH:mm:ss")).toUtf8();
        sqlite3_bind_text(stmt, index, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(stmt, index, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        sqlite3_bind_text(stmt, index, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

QVariant columnValue(sqlite3_stmt *stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)),
                                          sqlite3_column_bytes(stmt, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, i)),
                                   sqlite3_column_bytes(stmt, i)));
    default: return QVariant();
    }
}

struct StmtGuard {
    sqlite3_stmt *stmt;
    ~StmtGuard() { sqlite3_finalize(stmt); }
};

} // namespace

int StepRow::size() const
{
    return sqlite3_column_count(m_stmt);
}

bool StepRow::isNull(int i) const
{
    return sqlite3_column_type(m_stmt, i) == SQLITE_NULL;
}

double StepRow::real(int i) const
{
    return sqlite3_column_double(m_stmt, i);
}

qint64 StepRow::integer(int i) const
{
    return sqlite3_column_int64(m_stmt, i);
}

QByteArrayView StepRow::utf8(int i) const
{
    return field(i).utf8();
}

QVariant StepRow::value(int i) const
{
    return columnValue(m_stmt, i);
}

StepRow::Field StepRow::field(int i) const
{
    // The statement's connection serves one thread, so the unguarded value is safe to read.
    return Field(sqlite3_column_value(m_stmt, i));
}

StepRow::Field::Kind StepRow::Field::kind() const
{
    static_assert(int(Kind::Integer) == SQLITE_INTEGER && int(Kind::Real) == SQLITE_FLOAT
                  && int(Kind::Text) == SQLITE_TEXT && int(Kind::Blob) == SQLITE_BLOB && int(Kind::Null) == SQLITE_NULL);
    return static_cast<Kind>(sqlite3_value_type(m_value));
}

qint64 StepRow::Field::integer() const
{
    return sqlite3_value_int64(m_value);
}

double StepRow::Field::real() const
{
    return sqlite3_value_double(m_value);
}

QByteArrayView StepRow::Field::utf8() const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(m_value));
    return text ? QByteArrayView(text, sqlite3_value_bytes(m_value)) : QByteArrayView();
}

int jetNumberOf(int sqliteCode, const QString &message)
{
    switch (sqliteCode & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: return ErrDamaged;
    case SQLITE_CANTOPEN: return ErrFileNotFound;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return ErrLocked;
    case SQLITE_CONSTRAINT:
        if (message.contains(QStringLiteral("UNIQUE")) || message.contains(QStringLiteral("PRIMARY KEY")))
            return ErrDuplicate;
        if (message.contains(QStringLiteral("NOT NULL")))
            return ErrRequired;
        // CHECK constraints are named after the rule they hold.
        if (message.contains(QStringLiteral("nonempty_")))
            return ErrZeroLength;
        if (message.contains(QStringLiteral("len_")))
            return ErrFieldTooSmall;
        return ErrValidation;
    default: return ErrGeneric;
    }
}

std::unique_ptr<Database> Database::open(const QString &path, const QString &key, Mode mode)
{
    return openFile(path, key, mode, false);
}

std::unique_ptr<Database> Database::create(const QString &path, const QString &key)
{
    if (QFileInfo::exists(path))
        throw DaoError(ErrGeneric, QStringLiteral("file exists: ") + path);
    return openFile(path, key, Mode::Shared, true);
}

std::unique_ptr<Database> Database::openFile(const QString &path, const QString &key, Mode mode,
                                             bool create)
{
    if (!create && !QFileInfo(path).isFile())
        throw DaoError(ErrFileNotFound, QStringLiteral("file not found: ") + path, SQLITE_CANTOPEN);

    std::unique_ptr<Database> db(new Database);
    db->m_path = path;
    db->m_mode = mode;
    if (!db->m_lock.acquire(path, mode == Mode::Shared ? PresenceLock::Mode::Shared
                                                       : PresenceLock::Mode::Exclusive))
        throw DaoError(ErrHeldExclusively, QStringLiteral("database is in use: ") + path, SQLITE_BUSY);

    // A connection serves the one thread that opened it, so the engine's per-call locking
    // only costs time (a lock on every column read of a large result).
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    setUpEngineMemory();
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db->m_db, flags, nullptr);
    if (rc != SQLITE_OK)
        db->fail(rc);
    const QByteArray k = key.toUtf8();
    rc = sqlite3_key(db->m_db, k.constData(), static_cast<int>(k.size()));
    if (rc != SQLITE_OK)
        db->fail(rc);
    sqlite3_busy_timeout(db->m_db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db->m_db, 1);
    // The probe read: a wrong key or a damaged file shows here, not at the first query.
    try {
        db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (const DaoError &e) {
        throw DaoError(ErrDamaged, e.engineMessage(), e.engineCode(), QFileInfo(path).absoluteFilePath());
    }
    if (create)
        db->exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    db->exec(QStringLiteral("PRAGMA cache_size=-%1").arg(kPageCacheKiB));
    // The temporary tables and indexes of a statement (groupings, subqueries) stay in
    // memory rather than in files beside the program.
    db->exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
    registerChineseCollation(db->m_db);
    return db;
}

Database::~Database()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

void Database::fail(int rc) const
{
    const QString message = errorText(m_db);
    throw DaoError(jetNumberOf(rc, message), message, rc);
}

void Database::failStep(int rc) const
{
    // SQLCipher reports a page that fails its check as a plain SQLITE_ERROR while stepping.
    if (rc == SQLITE_ERROR)
        throw DaoError(ErrDamaged, errorText(m_db), rc);
    fail(rc);
}

sqlite3_stmt *Database::prepare(const QString &sql, const QVariantList &params)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &stmt, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
    if (sqlite3_bind_parameter_count(stmt) != params.size()) {
        sqlite3_finalize(stmt);
        throw DaoError(ErrGeneric, QStringLiteral("parameter count mismatch: ") + sql);
    }
    for (int i = 0; i < params.size(); ++i)
        bindValue(stmt, i + 1, params.at(i));
    return stmt;
}

void Database::exec(const QString &sql, const QVariantList &params)
{
    StmtGuard g{prepare(sql, params)};
    int rc;
    while ((rc = sqlite3_step(g.stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        failStep(rc);
}

void Database::execScript(const QString &sql)
{
    char *err = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString message = err ? QString::fromUtf8(err) : errorText(m_db);
        sqlite3_free(err);
        throw DaoError(jetNumberOf(rc, message), message, rc);
    }
}

Result Database::select(const QString &sql, const QVariantList &params)
{
    StmtGuard g{prepare(sql, params)};
    Result result;
    const int n = sqlite3_column_count(g.stmt);
    for (int i = 0; i < n; ++i)
        result.columns.append(QString::fromUtf8(sqlite3_column_name(g.stmt, i)));
    auto names = std::make_shared<const QStringList>(result.columns);
    int rc;
    while ((rc = sqlite3_step(g.stmt)) == SQLITE_ROW) {
        QVariantList values;
        values.reserve(n);
        for (int i = 0; i < n; ++i)
            values.append(columnValue(g.stmt, i));
        result.rows.emplace_back(names, std::move(values));
    }
    if (rc != SQLITE_DONE)
        failStep(rc);
    return result;
}

void Database::each(const QString &sql, const QVariantList &params,
                    const std::function<void(const QStringList &columns)> &columns,
                    const std::function<void(const StepRow &row)> &row)
{
    StmtGuard g{prepare(sql, params)};
    QStringList names;
    const int n = sqlite3_column_count(g.stmt);
    for (int i = 0; i < n; ++i)
        names.append(QString::fromUtf8(sqlite3_column_name(g.stmt, i)));
    columns(names);
    const StepRow current(g.stmt);
    int rc;
    while ((rc = sqlite3_step(g.stmt)) == SQLITE_ROW)
        row(current);
    if (rc != SQLITE_DONE)
        failStep(rc);
}

QVariant Database::scalar(const QString &sql, const QVariantList &params)
{
    StmtGuard g{prepare(sql, params)};
    const int rc = sqlite3_step(g.stmt);
    if (rc == SQLITE_ROW)
        return sqlite3_column_count(g.stmt) > 0 ? columnValue(g.stmt, 0) : QVariant();
    if (rc != SQLITE_DONE)
        failStep(rc);
    return QVariant();
}

qint64 Database::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Database::changes() const
{
    return sqlite3_changes(m_db);
}

void Database::begin()
{
    exec(QStringLiteral("BEGIN IMMEDIATE"));
}

void Database::commit()
{
    exec(QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    if (inTransaction())
        exec(QStringLiteral("ROLLBACK"));
}

bool Database::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

bool Database::hasTable(const QString &name)
{
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"),
                  {name}).toInt() > 0;
}

bool Database::hasView(const QString &name)
{
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='view' AND name=? COLLATE NOCASE"),
                  {name}).toInt() > 0;
}

QStringList Database::columns(const QString &table)
{
    // PRAGMA takes no bound parameters; the name is quoted as an identifier.
    QString quoted = table;
    quoted.replace(u'"', QStringLiteral("\"\""));
    const Result r = select(QStringLiteral("PRAGMA table_info(\"") + quoted + QStringLiteral("\")"));
    QStringList names;
    for (const Row &row : r.rows)
        names.append(row.text(1));
    return names;
}

Transaction::Transaction(Database &db) : m_db(db)
{
    m_db.begin();
}

Transaction::~Transaction()
{
    if (m_open) {
        try {
            m_db.rollback();
        } catch (const DaoError &) {
            // A failed rollback leaves SQLite to roll back when the connection closes.
        }
    }
}

void Transaction::commit()
{
    m_db.commit();
    m_open = false;
}

void Transaction::rollback()
{
    m_open = false;
    m_db.rollback();
}

} // namespace dao
