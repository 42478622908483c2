#include "FrmSetProductLookUps.h"

#include "shell/ModBase.h"

namespace registers {
namespace {

// The searches of one register: every record, the pinyin code or the name containing the key.
LookUpKind searches(const QString &tag, const QString &select, const QString &name, const QString &allOrder)
{
    LookUpKind k;
    k.tag = tag;
    k.allSql = select + QStringLiteral(" ORDER BY ") + allOrder + QStringLiteral(" COLLATE ZH");
    k.pinyinSql = select + QStringLiteral(" WHERE 拼音码 LIKE ? ESCAPE '\\' ORDER BY 拼音码 COLLATE ZH");
    k.nameSql = select + QStringLiteral(" WHERE ") + name + QStringLiteral(" LIKE ? ESCAPE '\\' ORDER BY ") + name
        + QStringLiteral(" COLLATE ZH");
    return k;
}

void offer(LookUpKind &k, const QString &question, const QString &table, const QString &name)
{
    k.missing = LookUpKind::Missing::Offer;
    k.offerQuestion = question;
    k.addTable = table;
    k.addPinyinField = QStringLiteral("拼音码");
    k.addNameField = name;
}

} // namespace

LookUpKind unitKind(QWidget *next)
{
    LookUpKind k = searches(QStringLiteral("Unit"), QStringLiteral("SELECT 拼音码, 单位 FROM danwei"),
                            QStringLiteral("单位"), QStringLiteral("单位"));
    k.widths = {1000, 1000};
    k.takeColumn = 1;
    offer(k, QStringLiteral("添加新的包装单位“%1”，到包装单位列表？"), QStringLiteral("danwei"), QStringLiteral("单位"));
    k.nextAfterPress = next;
    return k;
}

LookUpKind categoryKind(QWidget *next)
{
    LookUpKind k = searches(QStringLiteral("Category"), QStringLiteral("SELECT 组别ID, 拼音码, 组别 FROM zubie"),
                            QStringLiteral("组别"), QStringLiteral("拼音码"));
    k.widths = {0, 800, 1900};
    offer(k, QStringLiteral("添加新的组别“%1”，到组别列表？"), QStringLiteral("zubie"), QStringLiteral("组别"));
    k.nextAfterPress = next;
    return k;
}

LookUpKind manufacturerKind(QWidget *next)
{
    LookUpKind k = searches(QStringLiteral("Manufacturer"),
                            QStringLiteral("SELECT 厂商ID, 拼音码, 厂商, 地址, 邮政编码, 电话, 传真, 联系人, Email, 主页 "
                                           "FROM changshang"),
                            QStringLiteral("厂商"), QStringLiteral("厂商"));
    k.widths = {0, 800, 1900, 2000, 1600, 800, 2000, 1600, 800, 800};
    offer(k, QStringLiteral("添加新的生产厂商“%1”，到生产厂商列表？"), QStringLiteral("changshang"),
          QStringLiteral("厂商"));
    k.taken = [](const QStringList &row) { ModBase::PickCSID = row.value(0).toInt(); };
    k.added = [](qint64 key) { ModBase::PickCSID = static_cast<qint32>(key); };
    k.nextAfterPress = next;
    return k;
}

} // namespace registers
