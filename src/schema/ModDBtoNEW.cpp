#include "ModDBtoNEW.h"

#include "Rebuild.h"
#include "Schema.h"

#include "dao/Database.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"

#include <cfloat>
#include <cmath>
#include <functional>
#include <vector>

namespace ModDBtoNEW {
namespace {

using schema::Version;

QStringList tableNames(dao::Database &db)
{
    QStringList names;
    for (const dao::Row &r : db.select(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                                      "AND substr(name, 1, 7) <> 'sqlite_'")).rows)
        names.append(r.text(0));
    return names;
}

// The marker look-ups compare names exactly, letter case included.
bool hasField(dao::Database &db, const QString &table, const QString &field)
{
    return tableNames(db).contains(table) && db.columns(table).contains(field);
}

schema::Layout layout(const QString &table, Version v)
{
    return *schema::layoutAt(table, v);
}

void createAt(dao::Database &db, const QString &table, Version v)
{
    schema::createTable(db, layout(table, v));
}

// Rebuilds a table from its layout of one version into that of a later one: the fields that
// the later layout no longer has are the ones the step deletes, renamed ones keep their data.
void rebuildAt(dao::Database &db, const QString &table, Version from, Version to)
{
    const schema::Layout before = layout(table, from);
    const schema::Layout after = layout(table, to);
    QHash<QString, QString> renamed;
    QStringList kept;
    for (const schema::Field &f : after.fields) {
        const QString was = schema::fieldNameAt(table, f.name, from);
        if (was != f.name)
            renamed.insert(f.name, was);
        kept.append(was);
    }
    QStringList dropped;
    for (const schema::Field &f : before.fields)
        if (!kept.contains(f.name))
            dropped.append(f.name);
    schema::rebuildTable(db, before.name, after, renamed, dropped);
}

// A part of a step whose failure the step passes over: it is undone alone.
void passingOver(dao::Database &db, const std::function<void()> &part)
{
    db.exec(QStringLiteral("SAVEPOINT pass_over"));
    try {
        part();
    } catch (const dao::DaoError &) {
        db.exec(QStringLiteral("ROLLBACK TO pass_over"));
    }
    db.exec(QStringLiteral("RELEASE pass_over"));
}

void rewriteRights(dao::Database &db, const QString &table, const std::function<QString(const QString &, bool)> &rewrite)
{
    const QString t = schema::quoted(table);
    const dao::Result users = db.select(QStringLiteral("SELECT rowid, 权限, 超级用户 FROM ") + t);
    for (const dao::Row &u : users.rows) {
        const bool superUser = !u.isNull(2) && u[2].toLongLong() != 0;
        db.exec(QStringLiteral("UPDATE ") + t + QStringLiteral(" SET 权限 = ? WHERE rowid = ?"),
                {rewrite(u.text(1), superUser), u[0]});
    }
}

QString padded(const QString &rights, int length)
{
    return rights.size() < length ? rights + QString(length - rights.size(), u'0') : rights;
}

QString flag(bool superUser)
{
    return superUser ? QStringLiteral("1") : QStringLiteral("0");
}

const QString kUsersBefore50 = QStringLiteral("用户表");

void Upgrade30To34(dao::Database &db)
{
    createAt(db, QStringLiteral("danwei"), schema::V34);
}

void CreateOrderHead(dao::Database &db)
{
    createAt(db, QStringLiteral("dingdanjiben"), schema::V37);
}

void CreateOrderLines(dao::Database &db)
{
    createAt(db, QStringLiteral("dingdanmingxi"), schema::V37);
}

void AlterReagent37(dao::Database &db)
{
    rebuildAt(db, QStringLiteral("shijijibenxinxi"), schema::V34, schema::V37);
}

void WidenRights37(dao::Database &db)
{
    rewriteRights(db, kUsersBefore50, RightsAt37);
}

void CreateLocations(dao::Database &db)
{
    createAt(db, QStringLiteral("cunfangdidian"), schema::V40);
}

void WidenRights40(dao::Database &db)
{
    rewriteRights(db, kUsersBefore50, RightsAt40);
}

void AddOrderLineFields(dao::Database &db)
{
    rebuildAt(db, QStringLiteral("dingdanmingxi"), schema::V40, schema::V41);
}

void CreateNotebook(dao::Database &db)
{
    createAt(db, QStringLiteral("jishiben"), schema::V41);
}

void Upgrade41To42(dao::Database &db)
{
    rebuildAt(db, QStringLiteral("shijijibenxinxi"), schema::V41, schema::V42);
}

void Upgrade42To43(dao::Database &db)
{
    rebuildAt(db, QStringLiteral("shijibiandongdengji"), schema::V42, schema::V43);
    rebuildAt(db, QStringLiteral("shijikucun"), schema::V42, schema::V43);
}

// Every table gets its pinyin name, 部门ID and the two 预留 full-name fields their new
// names, and the six remaining 预留 fields go.
void Upgrade43To50(dao::Database &db)
{
    for (const char *table : {"changshang", "cunfangdidian", "danwei", "danweixinxi", "dingdanjiben", "dingdanmingxi",
                              "gongyingshang", "jishiben", "renlingbumen", "renlingren", "shijibiandongdengji",
                              "shijijibenxinxi", "shijikucun", "yonghu", "zubie"})
        rebuildAt(db, QString::fromUtf8(table), schema::V43, schema::V50);
}

void Upgrade50To51(dao::Database &db)
{
    rebuildAt(db, QStringLiteral("shijijibenxinxi"), schema::V50, schema::V51);
    rewriteRights(db, QStringLiteral("yonghu"), [](const QString &rights, bool) { return RightsAt51(rights); });
}

void Upgrade51To52(dao::Database &db)
{
    passingOver(db, [&] { rebuildAt(db, QStringLiteral("danwei"), schema::V51, schema::V52); });
    passingOver(db, [&] { rebuildAt(db, QStringLiteral("danweixinxi"), schema::V51, schema::V52); });
    passingOver(db, [&] { createAt(db, QStringLiteral("DBVersion"), schema::V52); });
    passingOver(db, [&] { db.exec(QStringLiteral("INSERT INTO DBVersion (DBVer) VALUES ('5.2')")); });
    passingOver(db, [&] { rebuildAt(db, QStringLiteral("shijijibenxinxi"), schema::V51, schema::V52); });
}

void Upgrade52To53(dao::Database &db)
{
    passingOver(db, [&] {
        db.exec(QStringLiteral("UPDATE DBVersion SET DBVer = '5.3'"));
        // A stamp table without its row would stay unstamped for good.
        if (db.changes() == 0)
            db.exec(QStringLiteral("INSERT INTO DBVersion (DBVer) VALUES ('5.3')"));
    });
}

using Procedure = void (*)(dao::Database &);
struct Step {
    float from;
    std::vector<Procedure> procedures;
};

// Versions compare as single-precision numbers, as the stamp is read.
const std::vector<Step> &steps()
{
    static const std::vector<Step> s{
        {3.0f, {Upgrade30To34}},
        {3.4f, {CreateOrderHead, CreateOrderLines, AlterReagent37, WidenRights37}},
        {3.7f, {CreateLocations, WidenRights40}},
        {4.0f, {AddOrderLineFields, CreateNotebook}},
        {4.1f, {Upgrade41To42}},
        {4.2f, {Upgrade42To43}},
        {4.3f, {Upgrade43To50}},
        {5.0f, {Upgrade50To51}},
        {5.1f, {Upgrade51To52}},
        {5.2f, {Upgrade52To53}},
    };
    return s;
}

void showFailure(const std::exception &e)
{
    const auto *dao = dynamic_cast<const dao::DaoError *>(&e);
    const int number = dao ? dao->number() : dao::ErrGeneric;
    const QString description = dao ? dao->description() : QString::fromLocal8Bit(e.what());
    platform::msgBox(QStringLiteral("实时错误 '%1':\n\n%2").arg(number).arg(description), platform::Buttons::Ok,
                     platform::Icon::Critical);
}

// The current layout's indexes, and those of earlier layouts that it no longer has.
struct IndexSet {
    QStringList wanted, wantedSql, superseded;
};

const IndexSet &indexSet()
{
    static const IndexSet set = [] {
        IndexSet s;
        for (const schema::Layout &l : schema::layoutsAt(schema::kCurrent)) {
            s.wantedSql += l.indexSql();
            for (const schema::Index &i : l.indexes)
                s.wanted.append(l.indexName(i));
        }
        for (const Version v : schema::kVersions)
            for (const schema::Layout &l : schema::layoutsAt(v))
                for (const schema::Index &i : l.indexes)
                    if (!s.wanted.contains(l.indexName(i)) && !s.superseded.contains(l.indexName(i)))
                        s.superseded.append(l.indexName(i));
        return s;
    }();
    return set;
}

// Indexes that came in without a version of their own (the layout's indexes are no change
// of the file's format) are made in a file of the current version that lacks them, and an
// index that a wider one has taken the place of goes, once: a file that has the current
// indexes is left untouched. An index only speeds statements up, so a file they cannot be
// brought to (held by a workstation's long report, a full disk) is used as it is, and the
// next start tries again.
void completeIndexes(dao::Database &db)
{
    if (DetectDBVersion(db) != 5.3f)
        return;
    const auto &[wanted, wantedSql, superseded] = indexSet();
    try {
        QStringList present;
        for (const dao::Row &r : db.select(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'")).rows)
            present.append(r.text(0));
        QStringList changes;
        for (const QString &name : std::as_const(superseded))
            if (present.contains(name))
                changes.append(QStringLiteral("DROP INDEX ") + schema::quoted(name));
        for (int i = 0; i < wanted.size(); ++i)
            if (!present.contains(wanted.at(i)))
                changes.append(wantedSql.at(i));
        if (changes.isEmpty())
            return;
        dao::Transaction t(db);
        for (const QString &sql : std::as_const(changes))
            db.exec(sql);
        t.commit();
    } catch (const dao::DaoError &) {
    }
}

} // namespace

QString RightsAt37(const QString &rights, bool superUser)
{
    const QString r = padded(rights, 23);
    return r.left(16) + flag(superUser) + r.right(7);
}

QString RightsAt40(const QString &rights, bool superUser)
{
    const QString r = padded(rights, 24);
    return r.left(2) + flag(superUser) + r.mid(2, 15) + flag(superUser) + r.right(6);
}

QString RightsAt51(const QString &rights)
{
    const QString r = padded(rights, 25);
    return r.left(15) + QStringLiteral("1") + r.right(10);
}

std::optional<float> ParseStamp(const QVariant &stamp)
{
    if (stamp.isNull())
        return std::nullopt;
    QString text = stamp.toString();
    while (text.startsWith(u' '))
        text.remove(0, 1);
    while (text.endsWith(u' '))
        text.chop(1);
    const std::optional<double> value = platform::convert::parseNumber(text);
    if (!value || std::fabs(*value) > FLT_MAX)
        return std::nullopt;
    return static_cast<float>(*value);
}

float DetectDBVersion(dao::Database &db)
{
    float version = 3.0f;
    QStringList tables;
    try {
        tables = tableNames(db);
    } catch (const dao::DaoError &) {
        return version;
    }
    const auto field = [&](const QString &table, const QString &name) {
        try {
            return hasField(db, table, name);
        } catch (const dao::DaoError &) {
            return false;
        }
    };

    if (tables.contains(QStringLiteral("shijijibenxinxi")))
        version = 5.0f;
    if (version < 5.0f) {
        // Each marker on its own: the last one found decides.
        if (tables.contains(QStringLiteral("单位表")))
            version = 3.4f;
        if (tables.contains(QStringLiteral("订单基本表")))
            version = 3.7f;
        if (tables.contains(QStringLiteral("存放地点表")))
            version = 4.0f;
        if (tables.contains(QStringLiteral("记事本表")))
            version = 4.1f;
        if (field(QStringLiteral("试剂基本信息表"), QStringLiteral("条形码")))
            version = 4.2f;
        if (field(QStringLiteral("试剂变动登记表"), QStringLiteral("入库ID")))
            version = 4.3f;
        return version;
    }
    if (field(QStringLiteral("shijijibenxinxi"), QStringLiteral("库存低限")))
        version = 5.1f;
    if (tables.contains(QStringLiteral("DBVersion")))
        version = 5.2f;
    if (version >= 5.2f) {
        try {
            const dao::Result r = db.select(QStringLiteral("SELECT * FROM DBVersion ORDER BY rowid LIMIT 1"));
            if (!r.empty())
                if (const std::optional<float> stamp = ParseStamp(r[0].value(0)))
                    version = *stamp;
        } catch (const dao::DaoError &) {
        }
    }
    return version;
}

bool UpgradeDB(dao::Database &db)
{
    const float version = DetectDBVersion(db);
    const std::vector<Step> &all = steps();
    auto step = all.begin();
    while (step != all.end() && step->from != version)
        ++step;
    for (; step != all.end(); ++step) {
        try {
            dao::Transaction t(db);
            for (Procedure p : step->procedures)
                p(db);
            t.commit();
        } catch (const std::exception &e) {
            showFailure(e);
            return false;
        }
    }
    completeIndexes(db);
    return true;
}

} // namespace ModDBtoNEW
