#include "IssueLookUps.h"

namespace issues {
namespace {

const QString kDepartments = QStringLiteral("SELECT 认领部门ID, 拼音码, 认领部门 FROM renlingbumen");
const QString kClaimants = QStringLiteral("SELECT 认领人ID, 拼音码, 认领人 FROM renlingren");

const QString kLots = QStringLiteral(
    "SELECT shijikucun.库存ID, shijijibenxinxi.试剂ID, shijijibenxinxi.拼音码, shijijibenxinxi.品名, "
    "shijijibenxinxi.规格, shijikucun.批号, shijikucun.有效期, changshang.厂商, shijijibenxinxi.组别, "
    "shijikucun.数量, shijijibenxinxi.单位, shijikucun.单价, shijikucun.存放地点, shijikucun.供应商ID, "
    "shijijibenxinxi.批准文号, shijikucun.入库ID "
    "FROM shijikucun INNER JOIN shijijibenxinxi ON shijijibenxinxi.试剂ID = shijikucun.试剂ID "
    "INNER JOIN changshang ON changshang.厂商ID = shijijibenxinxi.厂商ID");

// The lots of one reagent come earliest expiry first; the key keeps equal dates stable.
const QString kByPinyin = QStringLiteral(
    " ORDER BY shijijibenxinxi.拼音码 COLLATE ZH, shijikucun.有效期, shijikucun.库存ID");
const QString kByName = QStringLiteral(
    " ORDER BY shijijibenxinxi.品名 COLLATE ZH, shijikucun.有效期, shijikucun.库存ID");

LookUpKind registerKind(const QString &tag, const QString &select, const QString &table, const QString &name,
                        const QString &question)
{
    LookUpKind k;
    k.tag = tag;
    k.widths = {0, 800, 1900};
    k.allSql = select + QStringLiteral(" ORDER BY 拼音码 COLLATE ZH");
    k.pinyinSql = select + QStringLiteral(" WHERE 拼音码 LIKE ? ESCAPE '\\' ORDER BY 拼音码 COLLATE ZH");
    k.nameSql = select + QStringLiteral(" WHERE ") + name + QStringLiteral(" LIKE ? ESCAPE '\\' ORDER BY ")
        + name + QStringLiteral(" COLLATE ZH");
    // A single blank lists the register and stays in the field until a record is taken.
    k.blankEmptiesField = false;
    k.missing = LookUpKind::Missing::Offer;
    k.offerQuestion = question;
    k.addTable = table;
    k.addPinyinField = QStringLiteral("拼音码");
    k.addNameField = name;
    return k;
}

} // namespace

LookUpKind departmentKind()
{
    return registerKind(QStringLiteral("Department"), kDepartments, QStringLiteral("renlingbumen"),
                        QStringLiteral("认领部门"), QStringLiteral("添加新的认领部门“%1”，到认领部门列表？"));
}

LookUpKind claimantKind()
{
    return registerKind(QStringLiteral("Handling"), kClaimants, QStringLiteral("renlingren"),
                        QStringLiteral("认领人"), QStringLiteral("添加新的认领人“%1”，到认领人列表？"));
}

LookUpKind inventoryKind()
{
    LookUpKind k;
    k.tag = QStringLiteral("Inventory");
    k.widths = {0, 0, 800, 1550, 1300, 1200, 1300, 1000, 1000, 600, 600, 800, 800, 0, 1000, 0};
    k.allSql = kLots + kByPinyin;
    k.barcodeSql = kLots + QStringLiteral(" WHERE shijijibenxinxi.条形码 = ?") + kByName;
    // The codes are matched in the code index first: a scan of the whole catalogue costs ten
    // times more on a large store.
    k.pinyinSql = kLots
        + QStringLiteral(" WHERE shijijibenxinxi.试剂ID IN (SELECT 试剂ID FROM shijijibenxinxi WHERE 拼音码 LIKE ? ESCAPE '\\')")
        + kByPinyin;
    k.nameSql = kLots + QStringLiteral(" WHERE shijijibenxinxi.品名 LIKE ? ESCAPE '\\'") + kByName;
    k.takeColumn = 3;
    k.missing = LookUpKind::Missing::Empty;
    return k;
}

const QString DepartmentsByNameSql = kDepartments + QStringLiteral(" ORDER BY 认领部门 COLLATE ZH");
const QString ClaimantsByNameSql = kClaimants + QStringLiteral(" ORDER BY 认领人 COLLATE ZH");
const QString LotsByNameSql = kLots + kByName;
const QString GroupLotsSql = kLots + QStringLiteral(" WHERE shijijibenxinxi.组别 LIKE ? ESCAPE '\\'") + kByName;
const QString ExpiredLotsSql = kLots + QStringLiteral(" WHERE shijikucun.有效期 <= ?") + kByName;
const QString ExpiringLotsSql = kLots + QStringLiteral(" WHERE shijikucun.有效期 BETWEEN ? AND ?") + kByName;

} // namespace issues
