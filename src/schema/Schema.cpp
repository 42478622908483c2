#include "Schema.h"

#include "dao/Database.h"

#include <QHash>

#include <stdexcept>

namespace schema {
namespace {

// Text fields of the base tables: the engine's largest text, empty strings accepted,
// since the registers store blank addresses, reasons and the like.
constexpr int kBaseText = 255;

struct FieldHistory {
    Field field;
    Version since = V30;
    Version until = VNever; // the version whose step deletes it
    QString oldName = {};   // its name before 5.0
};

struct IndexHistory {
    Index index;
    Version since = V30;
    Version until = VNever;
};

struct TableHistory {
    QString name;
    QString oldName; // before 5.0
    Version since = V30;
    QList<FieldHistory> fields;
    QList<IndexHistory> indexes;
};

FieldHistory counter(const QString &name, const QString &oldName = QString())
{
    return {{name, Type::Counter}, V30, VNever, oldName};
}

FieldHistory base(const QString &name, Type type = Type::Text)
{
    Field f{name, type};
    if (type == Type::Text) {
        f.size = kBaseText;
        f.zeroLength = true;
    }
    return {f};
}

FieldHistory text(const QString &name, int size, bool zeroLength, bool required = false)
{
    return {{name, Type::Text, size, required, zeroLength}};
}

FieldHistory since(FieldHistory f, Version v)
{
    f.since = v;
    return f;
}

FieldHistory until(FieldHistory f, Version v)
{
    f.until = v;
    return f;
}

FieldHistory renamedAt50(FieldHistory f, const QString &oldName)
{
    f.oldName = oldName;
    return f;
}

FieldHistory defaultZero(FieldHistory f)
{
    f.field.defaultZero = true;
    return f;
}

// A base table's field that the step to 5.0 deletes.
FieldHistory reserved()
{
    return until(base(QStringLiteral("预留")), V50);
}

// The names as the tables name them; three fields and every base table were renamed at 5.0.
QList<TableHistory> buildHistory()
{
    using S = QString;
    const auto s = [](const char *utf8) { return QString::fromUtf8(utf8); };
    QList<TableHistory> t;

    t.append({s("shijijibenxinxi"), s("试剂基本信息表"), V30,
              {counter(s("试剂ID")), base(s("拼音码")), base(s("品名")), base(s("规格")), base(s("单位")),
               base(s("组别")), base(s("厂商ID"), Type::Long), base(s("批准文号")),
               until(base(s("预留1")), V37), until(base(s("预留2")), V37),
               since(base(s("停用"), Type::YesNo), V37),
               since(text(s("条形码"), 100, true), V42),
               since(defaultZero(base(s("库存低限"), Type::Single)), V51),
               since(defaultZero(base(s("库存高限"), Type::Single)), V51),
               since(text(s("储存条件"), 100, true), V52),
               since(text(s("开封有效日"), 100, true), V52)},
              // Up to 3.4 the pinyin code was a unique constraint; from 3.7 an ordinary index.
              {{{s("拼音码"), true}, V30, V37}, {{s("拼音码"), false}, V37}}});

    t.append({s("shijibiandongdengji"), s("试剂变动登记表"), V30,
              {counter(s("登记ID")), base(s("变动标志"), Type::Integer), base(s("单号"), Type::Double),
               base(s("发票号")), base(s("登记日期"), Type::DateTime), base(s("试剂ID"), Type::Long),
               base(s("批号")), base(s("有效期"), Type::DateTime), base(s("数量"), Type::Single),
               base(s("单价"), Type::Currency), base(s("认领部门")), base(s("认领人")),
               base(s("供应商ID"), Type::Long), base(s("操作者ID"), Type::Long), base(s("存放地点")),
               base(s("报损原因")), until(base(s("预留1")), V43), until(base(s("预留2")), V43),
               since(text(s("入库ID"), 100, true), V43)},
              // The date index became one that also carries every field the ledger's sums over
              // the whole register read (opening balances, stocktaking), so they never read the
              // rows, which take five times its size; searches by date use it as before. It came
              // in after files stamped 5.3 were in use: the upgrade brings them to it.
              {{{s("单号")}}, {{s("试剂ID")}}, {{s("登记日期")}, V30, V53}, {{s("入库ID")}, V43},
               {{s("登记日期"), false, {s("变动标志"), s("试剂ID"), s("数量"), s("单价")}}, V53}}});

    t.append({s("shijikucun"), s("试剂库存表"), V30,
              {counter(s("库存ID")), base(s("试剂ID"), Type::Long), base(s("批号")),
               base(s("有效期"), Type::DateTime), base(s("数量"), Type::Single),
               base(s("单价"), Type::Currency), base(s("存放地点")), base(s("供应商ID"), Type::Long),
               until(base(s("预留1")), V43), until(base(s("预留2")), V43),
               since(text(s("入库ID"), 100, true), V43)},
              {{{s("试剂ID")}}, {{s("入库ID")}, V43}}});

    for (const auto &[table, oldName, key, shortName, fullName] :
         {std::array<S, 5>{s("changshang"), s("厂商表"), s("厂商ID"), s("厂商"), s("厂商全称")},
          std::array<S, 5>{s("gongyingshang"), s("供应商表"), s("供应商ID"), s("供应商"), s("供应商全称")}}) {
        t.append({table, oldName, V30,
                  {counter(key), base(s("拼音码")), base(shortName), base(s("地址")), base(s("邮政编码")),
                   base(s("电话")), base(s("传真")), base(s("联系人")), base(s("Email")), base(s("主页")),
                   renamedAt50(base(fullName), s("预留"))},
                  {}});
    }

    t.append({s("yonghu"), s("用户表"), V30,
              {counter(s("用户ID")), base(s("代码")), base(s("用户名")), base(s("密码")),
               base(s("超级用户"), Type::YesNo), base(s("权限")), base(s("在职显示"), Type::YesNo), reserved()},
              {}});

    for (const auto &[table, oldName, key, oldKey, name] :
         {std::array<S, 5>{s("zubie"), s("组别表"), s("组别ID"), S(), s("组别")},
          std::array<S, 5>{s("renlingren"), s("认领人表"), s("认领人ID"), S(), s("认领人")},
          std::array<S, 5>{s("renlingbumen"), s("认领部门表"), s("认领部门ID"), s("部门ID"), s("认领部门")}}) {
        t.append({table, oldName, V30, {counter(key, oldKey), base(s("拼音码")), base(name), reserved()}, {}});
    }

    t.append({s("danweixinxi"), s("单位信息表"), V30,
              {base(s("单位名称")), reserved(), until(base(s("其他")), V52)}, {}});

    t.append({s("danwei"), s("单位表"), V34,
              {counter(s("单位ID")), until(text(s("数字码"), 50, false), V52), text(s("拼音码"), 50, false),
               text(s("单位"), 20, false)},
              {}});

    t.append({s("cunfangdidian"), s("存放地点表"), V40,
              {counter(s("存放地点ID")), text(s("拼音码"), 10, false, true), text(s("存放地点"), 20, false, true),
               until(text(s("预留"), 100, true), V50)},
              {{{s("拼音码"), true}}}});

    t.append({s("jishiben"), s("记事本表"), V41,
              {counter(s("记事本ID")), base(s("日期"), Type::DateTime), text(s("标题"), 255, false, true),
               {{s("内容"), Type::Memo, 0, true, false}}, defaultZero(base(s("用户ID"), Type::Long))},
              {}});

    t.append({s("dingdanjiben"), s("订单基本表"), V37,
              {counter(s("订单基本ID")), text(s("订单号"), 50, false), base(s("生成日期"), Type::DateTime),
               base(s("生成时间"), Type::DateTime), defaultZero(base(s("操作者ID"), Type::Long))},
              {{{s("操作者ID")}}}});

    t.append({s("dingdanmingxi"), s("订单明细表"), V37,
              {counter(s("订单明细ID")), defaultZero(base(s("订单基本ID"), Type::Long)), text(s("品名"), 50, false),
               text(s("规格"), 50, false), text(s("厂商"), 50, false), since(text(s("供应商"), 100, true), V41),
               text(s("数量"), 50, false), text(s("单位"), 50, false), text(s("单价"), 50, false),
               text(s("金额"), 50, false), since(text(s("出库数/天数"), 100, true), V41),
               since(text(s("现库存"), 100, true), V41)},
              {{{s("订单基本ID")}}}});

    t.append({s("DBVersion"), S(), V52, {text(s("DBVer"), 50, true)}, {}});
    return t;
}

const QList<TableHistory> &history()
{
    static const QList<TableHistory> h = buildHistory();
    return h;
}

const TableHistory *historyOf(const QString &currentName)
{
    for (const TableHistory &t : history())
        if (t.name == currentName)
            return &t;
    return nullptr;
}

bool livesAt(Version since, Version until, Version v)
{
    return since <= v && v < until;
}

QString nameAt(const QString &name, const QString &oldName, Version v)
{
    return v < V50 && !oldName.isEmpty() ? oldName : name;
}

Layout build(const TableHistory &t, Version v)
{
    Layout l;
    l.name = nameAt(t.name, t.oldName, v);
    for (const FieldHistory &f : t.fields) {
        if (!livesAt(f.since, f.until, v))
            continue;
        Field field = f.field;
        field.name = nameAt(f.field.name, f.oldName, v);
        l.fields.append(field);
    }
    for (const IndexHistory &i : t.indexes)
        if (livesAt(i.since, i.until, v))
            l.indexes.append(i.index);
    return l;
}

QString columnSql(const Field &f)
{
    const QString col = quoted(f.name);
    QString sql = col + u' ';
    switch (f.type) {
    case Type::Counter: return sql + QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case Type::Long:
    case Type::Integer:
    case Type::Double: sql += QStringLiteral("INTEGER"); break;
    case Type::Single:
    case Type::Currency: sql += QStringLiteral("REAL"); break;
    case Type::DateTime:
    case Type::Text:
    case Type::Memo: sql += QStringLiteral("TEXT"); break;
    case Type::YesNo: return sql + QStringLiteral("INTEGER NOT NULL DEFAULT 0");
    }
    if (f.required)
        sql += QStringLiteral(" NOT NULL");
    if (f.defaultZero)
        sql += QStringLiteral(" DEFAULT 0");
    if ((f.type == Type::Text || f.type == Type::Memo) && !f.zeroLength)
        sql += QStringLiteral(" CONSTRAINT ") + quoted(QStringLiteral("nonempty_") + f.name) + QStringLiteral(" CHECK(")
               + col + QStringLiteral(" <> '')");
    if (f.type == Type::Text && f.size > 0)
        sql += QStringLiteral(" CONSTRAINT ") + quoted(QStringLiteral("len_") + f.name) + QStringLiteral(" CHECK(length(")
               + col + QStringLiteral(") <= ") + QString::number(f.size) + u')';
    return sql;
}

} // namespace

QString quoted(const QString &name)
{
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QString versionText(Version v)
{
    return QStringLiteral("%1.%2").arg(static_cast<int>(v) / 10).arg(static_cast<int>(v) % 10);
}

int Layout::position(const QString &name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields.at(i).name == name)
            return i;
    return -1;
}

const Field *Layout::field(const QString &name) const
{
    const int i = position(name);
    return i < 0 ? nullptr : &fields.at(i);
}

QString Layout::createSql() const
{
    QStringList columns;
    for (const Field &f : fields)
        columns.append(columnSql(f));
    return QStringLiteral("CREATE TABLE ") + quoted(name) + QStringLiteral(" (\n    ")
           + columns.join(QStringLiteral(",\n    ")) + QStringLiteral("\n)");
}

QString Layout::indexName(const Index &index) const
{
    // Index names are global in SQLite; the engine's were per table.
    QString n = name + u'_' + index.field;
    for (const QString &c : index.carries)
        n += u'_' + c;
    return n;
}

QStringList Layout::indexSql() const
{
    QStringList sql;
    for (const Index &i : indexes) {
        sql.append(QStringLiteral("CREATE ") + (i.unique ? QStringLiteral("UNIQUE ") : QString())
                   + QStringLiteral("INDEX ") + quoted(indexName(i)) + QStringLiteral(" ON ") + quoted(name)
                   + QStringLiteral(" (") + quoted(i.field)
                   + (i.unique ? QStringLiteral(" COLLATE NOCASE") : QString()));
        for (const QString &c : i.carries)
            sql.last() += QStringLiteral(", ") + quoted(c);
        sql.last() += u')';
    }
    return sql;
}

QString roundedExpression(const QString &column)
{
    const QString c = quoted(column);
    return QStringLiteral("CASE WHEN typeof(") + c + QStringLiteral(") = 'real' THEN round(") + c
           + QStringLiteral(", 4) ELSE ") + c + QStringLiteral(" END");
}

QStringList Layout::triggerSql() const
{
    QStringList columns, sets, whens;
    for (const Field &f : fields) {
        if (!f.rounded())
            continue;
        const QString c = quoted(f.name);
        columns.append(c);
        sets.append(c + QStringLiteral(" = ") + roundedExpression(f.name));
        whens.append(QStringLiteral("typeof(NEW.") + c + QStringLiteral(") = 'real' AND NEW.") + c
                     + QStringLiteral(" <> round(NEW.") + c + QStringLiteral(", 4)"));
    }
    if (columns.isEmpty())
        return {};
    const QString when = QStringLiteral(" WHEN ") + whens.join(QStringLiteral(" OR "));
    const QString body = QStringLiteral("\nBEGIN\n    UPDATE ") + quoted(name) + QStringLiteral(" SET ")
                         + sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE rowid = NEW.rowid;\nEND");
    return {QStringLiteral("CREATE TRIGGER ") + quoted(name + QStringLiteral("_round_insert"))
                + QStringLiteral(" AFTER INSERT ON ") + quoted(name) + when + body,
            QStringLiteral("CREATE TRIGGER ") + quoted(name + QStringLiteral("_round_update"))
                + QStringLiteral(" AFTER UPDATE OF ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" ON ")
                + quoted(name) + when + body};
}

QList<Layout> layoutsAt(Version v)
{
    QList<Layout> layouts;
    for (const TableHistory &t : history())
        if (t.since <= v)
            layouts.append(build(t, v));
    return layouts;
}

std::optional<Layout> layoutAt(const QString &currentName, Version v)
{
    const TableHistory *t = historyOf(currentName);
    if (!t || t->since > v)
        return std::nullopt;
    return build(*t, v);
}

const Layout &current(const QString &name)
{
    static const QList<Layout> layouts = layoutsAt(kCurrent);
    for (const Layout &l : layouts)
        if (l.name == name)
            return l;
    throw std::out_of_range("no table " + name.toStdString());
}

QString tableNameAt(const QString &currentName, Version v)
{
    const TableHistory *t = historyOf(currentName);
    return t ? nameAt(t->name, t->oldName, v) : currentName;
}

QString fieldNameAt(const QString &currentTable, const QString &currentField, Version v)
{
    if (const TableHistory *t = historyOf(currentTable))
        for (const FieldHistory &f : t->fields)
            if (f.field.name == currentField)
                return nameAt(f.field.name, f.oldName, v);
    return currentField;
}

void createTable(dao::Database &db, const Layout &layout)
{
    db.exec(layout.createSql());
    for (const QString &sql : layout.indexSql())
        db.exec(sql);
    for (const QString &sql : layout.triggerSql())
        db.exec(sql);
}

void createTables(dao::Database &db, Version v)
{
    dao::Transaction t(db);
    for (const Layout &l : layoutsAt(v))
        createTable(db, l);
    if (v >= V52)
        db.exec(QStringLiteral("INSERT INTO DBVersion (DBVer) VALUES (?)"), {versionText(v)});
    t.commit();
}

QStringList differences(dao::Database &db)
{
    struct Object {
        QString type;
        QString table;
        QString sql;
    };
    QHash<QString, Object> expected;
    QStringList order;
    const auto expect = [&](const QString &type, const QString &name, const QString &table, const QString &sql) {
        expected.insert(name, {type, table, sql});
        order.append(name);
    };
    for (const Layout &l : layoutsAt(kCurrent)) {
        expect(QStringLiteral("table"), l.name, l.name, l.createSql());
        const QStringList indexSql = l.indexSql();
        for (int i = 0; i < l.indexes.size(); ++i)
            expect(QStringLiteral("index"), l.indexName(l.indexes.at(i)), l.name, indexSql.at(i));
        const QStringList triggers = l.triggerSql();
        if (!triggers.isEmpty()) {
            expect(QStringLiteral("trigger"), l.name + QStringLiteral("_round_insert"), l.name, triggers.at(0));
            expect(QStringLiteral("trigger"), l.name + QStringLiteral("_round_update"), l.name, triggers.at(1));
        }
    }

    QStringList found;
    const dao::Result r = db.select(QStringLiteral(
        "SELECT type, name, tbl_name, sql FROM sqlite_master "
        "WHERE type IN ('table', 'index', 'trigger') AND substr(name, 1, 7) <> 'sqlite_' ORDER BY name"));
    QStringList diffs;
    for (const dao::Row &row : r.rows) {
        const QString name = row.text(1);
        found.append(name);
        const auto it = expected.constFind(name);
        if (it == expected.constEnd()) {
            diffs.append(QStringLiteral("extra %1 %2").arg(row.text(0), name));
            continue;
        }
        if (it->type != row.text(0) || it->table != row.text(2) || it->sql != row.text(3))
            diffs.append(QStringLiteral("%1 %2 differs:\n%3\nexpected:\n%4").arg(row.text(0), name, row.text(3), it->sql));
    }
    for (const QString &name : std::as_const(order))
        if (!found.contains(name))
            diffs.append(QStringLiteral("missing %1 %2").arg(expected.value(name).type, name));
    return diffs;
}

} // namespace schema
