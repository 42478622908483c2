#pragma once

#include "RegisterKind.h"
#include "dao/Row.h"

#include <QStringList>

namespace dao {
class Database;
}

namespace registers {

// The rows of one register table: its list, and the add, edit and delete of a row. Every
// value is bound; records are written by field position.
class RegisterTable {
public:
    RegisterTable(dao::Database &db, const RegisterKind &kind) : m_db(db), m_kind(kind) {}

    // Every row in name order, or, for a search key, the rows whose name (key beginning
    // with a double-byte character) or pinyin code (otherwise) contains it literally.
    dao::Result list(const QString &key) const;
    // The whole record of a key; 3021 when it is gone.
    dao::Row read(qint32 id) const;
    // values[k] is written to field position k + 1.
    void add(const QStringList &values) const;
    void update(qint32 id, const QStringList &values) const;
    void remove(qint32 id) const;
    // The refusal for deleting a row that other records still name, or empty text.
    QString inUse(qint32 id, const QString &name) const;

private:
    QString selectByKey() const;

    dao::Database &m_db;
    const RegisterKind &m_kind;
};

// The register's connection: the shared one, opened on demand; fails when there is none.
dao::Database &connection();

} // namespace registers
