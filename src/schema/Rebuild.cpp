#include "Rebuild.h"

#include "dao/Database.h"

namespace schema {
namespace {

const QString kOldTable = QStringLiteral("vd_rebuild_old");

bool exists(dao::Database &db, const QString &type, const QString &name)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = ? AND name = ?"), {type, name})
               .toInt() > 0;
}

} // namespace

void rebuildTable(dao::Database &db, const QString &from, const Layout &to, const QHash<QString, QString> &renamed,
                  const QStringList &dropped)
{
    if (!exists(db, QStringLiteral("table"), from))
        throw dao::DaoError(dao::ErrGeneric, QStringLiteral("找不到表“%1”").arg(from));
    const QStringList old = db.columns(from);

    QStringList targets, sources, used;
    for (const Field &f : to.fields) {
        QString source;
        if (old.contains(f.name))
            source = f.name;
        else if (const QString was = renamed.value(f.name); !was.isEmpty() && old.contains(was))
            source = was;
        if (!source.isEmpty()) {
            used.append(source);
            targets.append(quoted(f.name));
            sources.append(f.rounded() ? roundedExpression(source) : quoted(source));
        } else if (f.type != Type::YesNo && !f.required) {
            // Listed as Null so that a default of 0 does not turn into a value for old rows.
            targets.append(quoted(f.name));
            sources.append(QStringLiteral("NULL"));
        }
    }
    for (const QString &column : old)
        if (!used.contains(column) && !dropped.contains(column))
            throw dao::DaoError(dao::ErrGeneric, QStringLiteral("表“%1”的字段“%2”在新结构中没有位置").arg(from, column));

    const bool counted = exists(db, QStringLiteral("table"), QStringLiteral("sqlite_sequence"));
    const QVariant seq = counted ? db.scalar(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"), {from})
                                 : QVariant();

    const dao::Result triggers = db.select(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger' AND tbl_name = ? COLLATE NOCASE"), {from});
    for (const dao::Row &t : triggers.rows)
        db.exec(QStringLiteral("DROP TRIGGER ") + quoted(t.text(0)));
    db.exec(QStringLiteral("ALTER TABLE ") + quoted(from) + QStringLiteral(" RENAME TO ") + quoted(kOldTable));
    db.exec(to.createSql());
    if (!targets.isEmpty())
        db.exec(QStringLiteral("INSERT INTO ") + quoted(to.name) + QStringLiteral(" (") + targets.join(QStringLiteral(", "))
                + QStringLiteral(") SELECT ") + sources.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                + quoted(kOldTable) + QStringLiteral(" ORDER BY rowid"));
    db.exec(QStringLiteral("DROP TABLE ") + quoted(kOldTable));
    for (const QString &sql : to.indexSql())
        db.exec(sql);
    for (const QString &sql : to.triggerSql())
        db.exec(sql);

    if (to.hasCounter() && !seq.isNull()) {
        db.exec(QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = ? AND seq < ?"), {seq, to.name, seq});
        db.exec(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT ?, ? "
                               "WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = ?)"),
                {to.name, seq, to.name});
    }
}

} // namespace schema
