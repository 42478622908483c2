#pragma once

#include "Database.h"

#include <map>

namespace dao {

// The data-access recordset the windows use: rows read by position, a current row, and,
// over a table name or a SELECT of one table, add, edit, update and delete by key.
// All rows are read when it opens; writes go straight to the database.
class Recordset {
public:
    Recordset(Database &db, const QString &source, const QVariantList &params = {});

    bool eof() const { return m_pos >= size(); }
    bool bof() const { return m_pos < 0 || size() == 0; }
    int recordCount() const { return size(); }
    int position() const { return m_pos; }
    void moveFirst() { m_pos = 0; }
    void moveLast() { m_pos = size() - 1; }
    void moveNext() { if (m_pos < size()) ++m_pos; }
    void movePrevious() { if (m_pos >= 0) --m_pos; }
    void moveTo(int pos) { m_pos = pos; }

    int fieldCount() const { return static_cast<int>(m_result.columns.size()); }
    QString fieldName(int i) const { return m_result.columns.value(i); }
    const QStringList &fieldNames() const { return m_result.columns; }
    // Throws 3021 when there is no current row.
    QVariant field(int i) const;
    QVariant field(const QString &name) const;
    const Row &current() const;
    const Result &result() const { return m_result; }

    bool updatable() const { return !m_table.isEmpty(); }
    QString table() const { return m_table; }

    void addNew();
    void edit();
    void setField(int i, const QVariant &value);
    void setField(const QString &name, const QVariant &value);
    // Writes the pending add or edit; returns the key (rowid) of the written row.
    qint64 update();
    void cancelUpdate();
    void deleteCurrent();
    qint64 lastModified() const { return m_lastModified; }

private:
    enum class Pending { None, Add, Edit };
    int size() const { return m_result.size(); }
    int fieldIndex(const QString &name) const;
    Row readRow(qint64 rowid);
    void requireTable() const;

    Database &m_db;
    QString m_table;
    QString m_select; // with the rowid as its first column, for re-reading one row
    Result m_result;
    std::vector<qint64> m_rowids;
    int m_pos = 0;
    Pending m_pending = Pending::None;
    std::map<int, QVariant> m_changes;
    qint64 m_lastModified = 0;
};

} // namespace dao
