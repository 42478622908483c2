#include "RegisterTable.h"

#include "dao/Collation.h"
#include "dao/Database.h"
#include "dao/Recordset.h"
#include "platform/CodePage936.h"
#include "shell/ModData.h"

namespace registers {

dao::Result RegisterTable::list(const QString &key) const
{
    const QString table = m_kind.table;
    QString sql = QStringLiteral("SELECT ") + m_kind.listColumns + QStringLiteral(" FROM ") + table;
    QVariantList params;
    if (!key.isEmpty()) {
        const bool byName = platform::cp936::isDoubleByte(key.toUcs4().constFirst());
        sql += QStringLiteral(" WHERE ") + table + u'.' + (byName ? m_kind.nameField : QStringLiteral("拼音码"))
               + QStringLiteral(" LIKE ? ESCAPE '\\'");
        params.append(dao::likeContains(key));
    }
    sql += QStringLiteral(" ORDER BY ") + table + u'.' + m_kind.nameField + QStringLiteral(" COLLATE ZH");
    return m_db.select(sql, params);
}

QString RegisterTable::selectByKey() const
{
    return QStringLiteral("SELECT * FROM ") + m_kind.table + QStringLiteral(" WHERE ") + m_kind.keyField
           + QStringLiteral(" = ?");
}

dao::Row RegisterTable::read(qint32 id) const
{
    dao::Recordset rs(m_db, selectByKey(), {id});
    return rs.current();
}

void RegisterTable::add(const QStringList &values) const
{
    dao::Recordset rs(m_db, m_kind.table);
    rs.addNew();
    for (int k = 0; k < values.size(); ++k)
        rs.setField(k + 1, values.at(k));
    rs.update();
}

void RegisterTable::update(qint32 id, const QStringList &values) const
{
    dao::Recordset rs(m_db, selectByKey(), {id});
    rs.edit();
    for (int k = 0; k < values.size(); ++k)
        rs.setField(k + 1, values.at(k));
    rs.update();
}

void RegisterTable::remove(qint32 id) const
{
    dao::Recordset rs(m_db, selectByKey(), {id});
    rs.deleteCurrent();
}

QString RegisterTable::inUse(qint32 id, const QString &name) const
{
    for (const RegisterReference &ref : m_kind.references) {
        const QVariant found = m_db.scalar(QStringLiteral("SELECT 1 FROM ") + ref.table + QStringLiteral(" WHERE ")
                                               + ref.field + QStringLiteral(" = ? LIMIT 1"),
                                           {id});
        if (!found.isNull())
            return m_kind.inUseMessage.arg(name);
    }
    return QString();
}

dao::Database &connection()
{
    ModData::OpenDB();
    dao::Database *db = ModData::Connection();
    if (!db)
        throw dao::DaoError(dao::ErrFileNotFound, QString());
    return *db;
}

} // namespace registers
