#include "ReceiptLookUps.h"

namespace receipts {
namespace {

const QString kSuppliers = QStringLiteral(
    "SELECT gongyingshang.供应商ID, gongyingshang.拼音码, gongyingshang.供应商, gongyingshang.地址, "
    "gongyingshang.电话, gongyingshang.联系人 FROM gongyingshang");

// Reagents whose manufacturer record exists and that are not disabled.
const QString kReagents = QStringLiteral(
    "SELECT shijijibenxinxi.试剂ID, shijijibenxinxi.拼音码, shijijibenxinxi.品名, shijijibenxinxi.规格, "
    "shijijibenxinxi.组别, shijijibenxinxi.单位, changshang.厂商, shijijibenxinxi.批准文号 "
    "FROM changshang INNER JOIN shijijibenxinxi ON changshang.厂商ID = shijijibenxinxi.厂商ID "
    "WHERE shijijibenxinxi.停用 = 0");

const QString kLocations = QStringLiteral("SELECT 存放地点ID, 拼音码, 存放地点 FROM cunfangdidian");

} // namespace

LookUpKind supplierKind()
{
    LookUpKind k = registerSearches(QStringLiteral("Supplier"), kSuppliers, QStringLiteral("gongyingshang.供应商"),
                                    QStringLiteral("gongyingshang.拼音码"));
    k.widths = {0, 800, 2000, 2000, 1500, 800};
    offerToAdd(k, QStringLiteral("添加新的供应商“%1”，到供应商列表？"), QStringLiteral("gongyingshang"),
               QStringLiteral("供应商"));
    k.noEmptiesField = true;
    return k;
}

LookUpKind productKind()
{
    LookUpKind k;
    k.tag = QStringLiteral("Product");
    k.widths = {0, 800, 1550, 1300, 800, 600, 1000, 4000};
    k.allSql = kReagents + QStringLiteral(" ORDER BY shijijibenxinxi.拼音码 COLLATE ZH");
    k.barcodeSql = kReagents
        + QStringLiteral(" AND shijijibenxinxi.条形码 = ? ORDER BY shijijibenxinxi.品名 COLLATE ZH");
    k.pinyinSql = kReagents
        + QStringLiteral(" AND shijijibenxinxi.拼音码 LIKE ? ESCAPE '\\' ORDER BY shijijibenxinxi.拼音码 COLLATE ZH");
    k.nameSql = kReagents
        + QStringLiteral(" AND shijijibenxinxi.品名 LIKE ? ESCAPE '\\' ORDER BY shijijibenxinxi.品名 COLLATE ZH");
    // Reagents are added in the catalogue, never from here.
    k.missing = LookUpKind::Missing::Empty;
    return k;
}

LookUpKind locationKind()
{
    LookUpKind k = registerSearches(QStringLiteral("Location"), kLocations, QStringLiteral("存放地点"),
                                    QStringLiteral("拼音码"));
    k.widths = {0, 1000, 2000};
    // Places are stored by name: one the register lacks is saved as typed.
    k.missing = LookUpKind::Missing::Keep;
    return k;
}

const QString RecentSuppliersSql = QStringLiteral(
    "SELECT gongyingshang.供应商ID, gongyingshang.拼音码, gongyingshang.供应商, gongyingshang.地址, "
    "gongyingshang.电话, gongyingshang.联系人 FROM gongyingshang INNER JOIN "
    "(SELECT 供应商ID, MAX(登记日期) AS 最近日期, MAX(登记ID) AS 最近ID FROM shijibiandongdengji "
    "WHERE 变动标志=1 AND 登记日期>? GROUP BY 供应商ID) AS recent "
    "ON gongyingshang.供应商ID = recent.供应商ID ORDER BY recent.最近日期 DESC, recent.最近ID DESC");

const QString SuppliersByNameSql = kSuppliers + QStringLiteral(" ORDER BY gongyingshang.供应商 COLLATE ZH");

const QString GroupReagentsSql = kReagents
    + QStringLiteral(" AND shijijibenxinxi.组别 LIKE ? ESCAPE '\\' ORDER BY shijijibenxinxi.品名 COLLATE ZH");

const QString ReagentsByNameSql = kReagents + QStringLiteral(" ORDER BY shijijibenxinxi.品名 COLLATE ZH");

// "+单号" keeps the date index: on the 单号 index the planner would walk the whole register.
const QString RecentReceiptNumbersSql = QStringLiteral(
    "SELECT DISTINCT +单号 AS 单号 FROM shijibiandongdengji WHERE 登记日期>? AND 变动标志=? ORDER BY 1 DESC");
const QString GroupsSql = QStringLiteral("SELECT DISTINCT 组别 FROM shijijibenxinxi ORDER BY 组别 COLLATE ZH");

} // namespace receipts
