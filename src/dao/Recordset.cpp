#include "Recordset.h"

#include <QRegularExpression>

namespace dao {
namespace {

const QString kRowid = QStringLiteral("__vd_rowid");

QString quoteIdent(const QString &name)
{
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

bool isBareName(const QString &source)
{
    static const QRegularExpression re(QStringLiteral("^\\s*\"?[\\w]+\"?\\s*$"),
                                       QRegularExpression::UseUnicodePropertiesOption);
    return re.match(source).hasMatch();
}

} // namespace

Recordset::Recordset(Database &db, const QString &source, const QVariantList &params) : m_db(db)
{
    QString sql;
    if (isBareName(source)) {
        m_table = source.trimmed().remove(u'"');
        sql = QStringLiteral("SELECT rowid AS ") + kRowid + QStringLiteral(", * FROM ") + quoteIdent(m_table);
        m_select = sql;
    } else {
        // One table, no join, grouping or DISTINCT: the rows can be written back by key.
        static const QRegularExpression single(
            QStringLiteral("^\\s*SELECT\\s+(?!DISTINCT\\b)(.+?)\\s+FROM\\s+(\"?[\\w]+\"?)"
                           "(\\s+(?:WHERE|ORDER\\s+BY|LIMIT)\\b.*)?\\s*;?\\s*$"),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption
                | QRegularExpression::UseUnicodePropertiesOption);
        const auto m = single.match(source);
        const bool grouped = source.contains(QRegularExpression(
            QStringLiteral("\\b(GROUP\\s+BY|JOIN|UNION)\\b"), QRegularExpression::CaseInsensitiveOption));
        if (m.hasMatch() && !grouped && !m.captured(1).contains(QStringLiteral("(")) ) {
            m_table = m.captured(2).remove(u'"');
            sql = QStringLiteral("SELECT rowid AS ") + kRowid + QStringLiteral(", ") + m.captured(1)
                  + QStringLiteral(" FROM ") + quoteIdent(m_table) + m.captured(3);
            m_select = QStringLiteral("SELECT rowid AS ") + kRowid + QStringLiteral(", ") + m.captured(1)
                       + QStringLiteral(" FROM ") + quoteIdent(m_table);
        } else {
            sql = source;
        }
    }

    Result raw = m_db.select(sql, params);
    if (m_table.isEmpty()) {
        m_result = std::move(raw);
        return;
    }
    m_result.columns = raw.columns.mid(1);
    auto names = std::make_shared<const QStringList>(m_result.columns);
    m_result.rows.reserve(raw.rows.size());
    m_rowids.reserve(raw.rows.size());
    for (const Row &r : raw.rows) {
        m_rowids.push_back(r[0].toLongLong());
        m_result.rows.emplace_back(names, r.values().mid(1));
    }
}

const Row &Recordset::current() const
{
    if (m_pos < 0 || m_pos >= size())
        throw DaoError(ErrNoCurrentRecord, QStringLiteral("no current record"));
    return m_result[m_pos];
}

QVariant Recordset::field(int i) const
{
    const Row &row = current();
    if (i < 0 || i >= row.size())
        throw DaoError(ErrGeneric, QStringLiteral("no field %1").arg(i));
    if (m_pending != Pending::None) {
        if (const auto it = m_changes.find(i); it != m_changes.end())
            return it->second;
    }
    return row[i];
}

QVariant Recordset::field(const QString &name) const
{
    return field(fieldIndex(name));
}

int Recordset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < fieldCount(); ++i)
        if (m_result.columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw DaoError(ErrGeneric, QStringLiteral("no field ") + name);
}

void Recordset::requireTable() const
{
    if (m_table.isEmpty())
        throw DaoError(ErrGeneric, QStringLiteral("recordset is read-only"));
}

void Recordset::addNew()
{
    requireTable();
    m_pending = Pending::Add;
    m_changes.clear();
}

void Recordset::edit()
{
    requireTable();
    current();
    m_pending = Pending::Edit;
    m_changes.clear();
}

void Recordset::setField(int i, const QVariant &value)
{
    if (m_pending == Pending::None)
        throw DaoError(ErrGeneric, QStringLiteral("update without AddNew or Edit"));
    if (i < 0 || i >= fieldCount())
        throw DaoError(ErrGeneric, QStringLiteral("no field %1").arg(i));
    m_changes[i] = value;
}

void Recordset::setField(const QString &name, const QVariant &value)
{
    setField(fieldIndex(name), value);
}

Row Recordset::readRow(qint64 rowid)
{
    Result r = m_db.select(m_select + QStringLiteral(" WHERE rowid = ?"), {rowid});
    if (r.empty())
        throw DaoError(ErrNoCurrentRecord, QStringLiteral("row vanished"));
    return Row(std::make_shared<const QStringList>(m_result.columns), r[0].values().mid(1));
}

qint64 Recordset::update()
{
    if (m_pending == Pending::None)
        throw DaoError(ErrGeneric, QStringLiteral("update without AddNew or Edit"));
    QStringList cols;
    QVariantList values;
    for (const auto &[i, v] : m_changes) {
        cols.append(quoteIdent(m_result.columns.at(i)));
        values.append(v);
    }
    qint64 rowid = 0;
    if (m_pending == Pending::Add) {
        QString sql = QStringLiteral("INSERT INTO ") + quoteIdent(m_table);
        if (cols.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList marks;
            for (qsizetype k = 0; k < cols.size(); ++k)
                marks.append(QStringLiteral("?"));
            sql += u'(' + cols.join(u',') + QStringLiteral(") VALUES(") + marks.join(u',') + u')';
        }
        m_db.exec(sql, values);
        rowid = m_db.lastInsertId();
        m_result.rows.push_back(readRow(rowid));
        m_rowids.push_back(rowid);
    } else {
        rowid = m_rowids.at(static_cast<size_t>(m_pos));
        if (!cols.isEmpty()) {
            QStringList sets;
            for (const QString &c : std::as_const(cols))
                sets.append(c + QStringLiteral("=?"));
            values.append(rowid);
            m_db.exec(QStringLiteral("UPDATE ") + quoteIdent(m_table) + QStringLiteral(" SET ")
                          + sets.join(u',') + QStringLiteral(" WHERE rowid=?"),
                      values);
            m_result.rows[static_cast<size_t>(m_pos)] = readRow(rowid);
        }
    }
    m_pending = Pending::None;
    m_changes.clear();
    m_lastModified = rowid;
    return rowid;
}

void Recordset::cancelUpdate()
{
    m_pending = Pending::None;
    m_changes.clear();
}

void Recordset::deleteCurrent()
{
    requireTable();
    current();
    const auto at = static_cast<size_t>(m_pos);
    m_db.exec(QStringLiteral("DELETE FROM ") + quoteIdent(m_table) + QStringLiteral(" WHERE rowid=?"),
              {m_rowids.at(at)});
    m_result.rows.erase(m_result.rows.begin() + static_cast<std::ptrdiff_t>(at));
    m_rowids.erase(m_rowids.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace dao
