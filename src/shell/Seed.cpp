#include "Seed.h"

#include "dao/Database.h"

#include <QVariant>

namespace ModBase {
namespace {

struct Starter {
    const char16_t *code;
    const char16_t *name;
};

struct Register {
    const char16_t *table;
    const char16_t *nameField;
    std::initializer_list<Starter> rows;
};

const Register kRegisters[] = {
    {u"zubie", u"组别", {{u"SHZ", u"生化组"}, {u"MYZ", u"免疫组"}, {u"LJZ", u"临检组"}, {u"XJZ", u"细菌组"}, {u"HCZ", u"耗材组"}}},
    {u"renlingren", u"认领人", {{u"ZS", u"张三"}, {u"LS", u"李四"}}},
    {u"renlingbumen", u"认领部门",
     {{u"JYK", u"检验科"}, {u"SHS", u"生化室"}, {u"LJS", u"临检室"}, {u"MYS", u"免疫室"}, {u"XJS", u"细菌室"}}},
    {u"gongyingshang", u"供应商", {{u"GZ", u"广州"}}},
    {u"danwei", u"单位", {{u"H", u"盒"}, {u"P", u"瓶"}, {u"G", u"个"}, {u"Z", u"支"}, {u"T", u"筒"}}},
};

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

bool isEmpty(dao::Database &db, const QString &table)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt() == 0;
}

// The starter manufacturers and the two starter reagents that refer to the first and the
// third of them by the keys they were just given.
void seedCatalogue(dao::Database &db)
{
    if (!isEmpty(db, QStringLiteral("changshang")))
        return;
    const Starter makers[] = {{u"SHRS", u"上海荣盛"}, {u"BJZS", u"北京中生"}, {u"TYCS", u"通用厂商"}};
    QList<qint64> keys;
    for (const Starter &m : makers) {
        db.exec(QStringLiteral("INSERT INTO changshang (拼音码,厂商) VALUES (?, ?)"), {s(m.code), s(m.name)});
        keys.append(db.lastInsertId());
    }
    if (!isEmpty(db, QStringLiteral("shijijibenxinxi")))
        return;
    const QString insert = QStringLiteral(
        "INSERT INTO shijijibenxinxi (拼音码,品名,规格,单位,组别,厂商ID,批准文号,停用,条形码,库存低限,库存高限) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, 0, '', NULL, NULL)");
    db.exec(insert, {QStringLiteral("ALPJXLSM"), QStringLiteral("ALP碱性磷酸酶"), QStringLiteral("100ml"),
                     QStringLiteral("盒"), QStringLiteral("生化组"), keys[0],
                     QStringLiteral("沪食药监械（准）字2009第2400281号")});
    db.exec(insert, {QStringLiteral("RMDYZ"), QStringLiteral("热敏打印纸"), QStringLiteral("57mm*13mm"),
                     QStringLiteral("个"), QStringLiteral("耗材组"), keys[2], QStringLiteral("")});
}

} // namespace

void SeedEmptyDatabase(dao::Database &db)
{
    dao::Transaction t(db);
    if (!isEmpty(db, QStringLiteral("yonghu")))
        return;
    db.exec(QStringLiteral("INSERT INTO yonghu (代码,用户名,密码,超级用户,权限,在职显示) VALUES (?, ?, ?, -1, ?, -1)"),
            {QStringLiteral("1"), QStringLiteral("管理员"), QStringLiteral("526"), QString(26, u'1')});
    for (const Register &r : kRegisters) {
        const QString table = s(r.table);
        if (!isEmpty(db, table))
            continue;
        const QString insert = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (拼音码,") + s(r.nameField)
                               + QStringLiteral(") VALUES (?, ?)");
        for (const Starter &row : r.rows)
            db.exec(insert, {s(row.code), s(row.name)});
    }
    seedCatalogue(db);
    t.commit();
}

} // namespace ModBase
