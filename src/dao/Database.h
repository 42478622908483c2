#pragma once

#include "DaoError.h"
#include "PresenceLock.h"
#include "Row.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;
typedef struct Mem sqlite3_value; // as the engine declares it

namespace dao {

// The current row of a statement being stepped, read in place; valid only during the
// callback that receives it.
class StepRow {
public:
    explicit StepRow(sqlite3_stmt *stmt) : m_stmt(stmt) {}
    int size() const;
    bool isNull(int i) const;
    double real(int i) const;
    qint64 integer(int i) const;
    // The field as UTF-8 text: integers as their digits, null as nothing.
    QByteArrayView utf8(int i) const;
    QVariant value(int i) const;

    // One field whose type and value are both read: a column read costs the engine's
    // statement checks each time, a field's reads do not.
    class Field {
    public:
        enum class Kind { Integer = 1, Real, Text, Blob, Null };
        explicit Field(sqlite3_value *value) : m_value(value) {}
        Kind kind() const;
        qint64 integer() const;
        double real() const;
        QByteArrayView utf8() const;

    private:
        sqlite3_value *m_value;
    };
    Field field(int i) const;

private:
    sqlite3_stmt *m_stmt;
};

// The one connection of a run: a SQLCipher file keyed with the database password.
// Opening never creates a file; a probe read right after the key shows a wrong key or a
// damaged file at once. Values are always bound, never pasted into SQL text:
// bool binds as Jet's -1/0, QDate as yyyy-mm-dd, QDateTime as yyyy-mm-dd HH:MM:SS.
class Database {
public:
    enum class Mode { Shared, Exclusive };

    // Throws DaoError: 3024 missing file, 3049 not readable with the key or damaged,
    // 3356 held exclusively by another program (or, for Exclusive, open by another one).
    static std::unique_ptr<Database> open(const QString &path, const QString &key,
                                          Mode mode = Mode::Shared);
    // Makes a new empty keyed file; fails when the file exists.
    static std::unique_ptr<Database> create(const QString &path, const QString &key);

    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QString path() const { return m_path; }
    Mode mode() const { return m_mode; }
    sqlite3 *handle() const { return m_db; }

    void exec(const QString &sql, const QVariantList &params = {});
    // Runs several statements without parameters (schema scripts).
    void execScript(const QString &sql);
    Result select(const QString &sql, const QVariantList &params = {});
    // Steps through the rows of a SELECT without keeping them, for results too large to
    // hold as a Result: columns gets the column names, then row each row in turn.
    void each(const QString &sql, const QVariantList &params,
              const std::function<void(const QStringList &columns)> &columns,
              const std::function<void(const StepRow &row)> &row);
    // First field of the first row; null when there is no row.
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    qint64 lastInsertId() const;
    int changes() const;

    void begin();
    void commit();
    void rollback();
    bool inTransaction() const;

    bool hasTable(const QString &name);
    bool hasView(const QString &name);
    // Column names of a table or view in their order.
    QStringList columns(const QString &table);

    // Throws the DaoError that the connection's last result code stands for.
    [[noreturn]] void fail(int rc) const;
    [[noreturn]] void failStep(int rc) const;

private:
    Database() = default;
    static std::unique_ptr<Database> openFile(const QString &path, const QString &key, Mode mode,
                                              bool create);
    sqlite3_stmt *prepare(const QString &sql, const QVariantList &params);

    sqlite3 *m_db = nullptr;
    QString m_path;
    Mode m_mode = Mode::Shared;
    PresenceLock m_lock;
};

// Rolls back unless committed: every save or reversal of a document line is one of these.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();
    void rollback();

private:
    Database &m_db;
    bool m_open = true;
};

// The engine's message for a result code, mapped to the Jet number the windows test.
int jetNumberOf(int sqliteCode, const QString &message);

} // namespace dao
