#include "FrmSetProductLookUps.h"

#include "shell/ModBase.h"

namespace registers {

LookUpKind unitKind(QWidget *next)
{
    LookUpKind k = registerSearches(QStringLiteral("Unit"), QStringLiteral("SELECT 拼音码, 单位 FROM danwei"),
                            QStringLiteral("单位"), QStringLiteral("单位"));
    k.widths = {1000, 1000};
    k.takeColumn = 1;
    offerToAdd(k, QStringLiteral("添加新的包装单位“%1”，到包装单位列表？"), QStringLiteral("danwei"), QStringLiteral("单位"));
    k.nextAfterPress = next;
    return k;
}

LookUpKind categoryKind(QWidget *next)
{
    LookUpKind k = registerSearches(QStringLiteral("Category"), QStringLiteral("SELECT 组别ID, 拼音码, 组别 FROM zubie"),
                            QStringLiteral("组别"), QStringLiteral("拼音码"));
    k.widths = {0, 800, 1900};
    offerToAdd(k, QStringLiteral("添加新的组别“%1”，到组别列表？"), QStringLiteral("zubie"), QStringLiteral("组别"));
    k.nextAfterPress = next;
    return k;
}

LookUpKind manufacturerKind(QWidget *next)
{
    LookUpKind k = registerSearches(QStringLiteral("Manufacturer"),
                            QStringLiteral("SELECT 厂商ID, 拼音码, 厂商, 地址, 邮政编码, 电话, 传真, 联系人, Email, 主页 "
                                           "FROM changshang"),
                            QStringLiteral("厂商"), QStringLiteral("厂商"));
    k.widths = {0, 800, 1900, 2000, 1600, 800, 2000, 1600, 800, 800};
    offerToAdd(k, QStringLiteral("添加新的生产厂商“%1”，到生产厂商列表？"), QStringLiteral("changshang"),
          QStringLiteral("厂商"));
    k.taken = [](const QStringList &row) { ModBase::PickCSID = row.value(0).toInt(); };
    k.added = [](qint64 key) { ModBase::PickCSID = static_cast<qint32>(key); };
    k.nextAfterPress = next;
    return k;
}

} // namespace registers
