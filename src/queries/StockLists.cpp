#include "StockLists.h"

#include "dao/Database.h"

namespace queries {

using platform::convert::Currency;

namespace {

const QString kLotSelect = QStringLiteral(
    "SELECT shijikucun.库存ID, shijijibenxinxi.品名, shijijibenxinxi.规格, shijikucun.批号, shijikucun.有效期, "
    "changshang.厂商, shijikucun.数量, shijijibenxinxi.单位, shijikucun.单价, "
    "shijikucun.数量*shijikucun.单价 AS 金额, shijijibenxinxi.组别, shijijibenxinxi.批准文号, "
    "gongyingshang.供应商, shijikucun.存放地点"
    " FROM shijikucun"
    " INNER JOIN shijijibenxinxi ON shijijibenxinxi.试剂ID = shijikucun.试剂ID"
    " INNER JOIN changshang ON changshang.厂商ID = shijijibenxinxi.厂商ID"
    " INNER JOIN gongyingshang ON gongyingshang.供应商ID = shijikucun.供应商ID");

const QString kLotOrder = QStringLiteral(
    " ORDER BY shijijibenxinxi.组别 COLLATE ZH, shijijibenxinxi.品名 COLLATE ZH, shijikucun.有效期");

// The per-reagent columns after the total.
const QString kReagentTail = QStringLiteral(
    "shijijibenxinxi.单位, shijijibenxinxi.组别, shijijibenxinxi.批准文号, shijijibenxinxi.库存低限, "
    "shijijibenxinxi.库存高限");

const QString kReagentOrder = QStringLiteral(
    " ORDER BY shijijibenxinxi.品名 COLLATE ZH, shijijibenxinxi.规格 COLLATE ZH, changshang.厂商 COLLATE ZH");

// Totals are kept to the four decimals of the quantities, so 0.1 + 0.2 is 0.3, and the
// limits are compared with them at those four decimals: a single-precision limit is the
// figure that was typed (1.1, not 1.10000002), and a total of 5000.0001 is above a limit
// of 5000, which in single precision it would equal.
const QString kLowSql = QStringLiteral(
    "SELECT shijijibenxinxi.品名, shijijibenxinxi.规格, changshang.厂商, ifnull(lots.数量汇总, 0) AS 库存汇总, ")
    + kReagentTail + QStringLiteral(
    " FROM changshang INNER JOIN shijijibenxinxi ON changshang.厂商ID = shijijibenxinxi.厂商ID"
    " LEFT JOIN (SELECT 试剂ID, round(Sum(数量), 4) AS 数量汇总 FROM shijikucun GROUP BY 试剂ID) AS lots"
    " ON lots.试剂ID = shijijibenxinxi.试剂ID"
    " WHERE shijijibenxinxi.停用 = 0"
    " AND (lots.数量汇总 IS NULL OR lots.数量汇总 <= 0"
    " OR round(shijijibenxinxi.库存低限, 4) >= lots.数量汇总)")
    + kReagentOrder + QStringLiteral(", shijijibenxinxi.试剂ID");

const QString kActiveReagentSql = QStringLiteral(
    "SELECT EXISTS (SELECT 1 FROM changshang INNER JOIN shijijibenxinxi ON changshang.厂商ID = shijijibenxinxi.厂商ID"
    " WHERE shijijibenxinxi.停用 = 0)");

const QString kHighJoins = QStringLiteral(
    " FROM changshang INNER JOIN shijijibenxinxi ON changshang.厂商ID = shijijibenxinxi.厂商ID"
    " INNER JOIN shijikucun ON shijijibenxinxi.试剂ID = shijikucun.试剂ID");

const QString kHighSql = QStringLiteral(
    "SELECT shijijibenxinxi.品名, shijijibenxinxi.规格, changshang.厂商, round(Sum(shijikucun.数量), 4) AS 库存汇总, ")
    + kReagentTail + kHighJoins + QStringLiteral(
    " GROUP BY shijijibenxinxi.品名, shijijibenxinxi.规格, changshang.厂商, shijijibenxinxi.单位, shijijibenxinxi.组别,"
    " shijijibenxinxi.批准文号, shijijibenxinxi.库存低限, shijijibenxinxi.库存高限"
    " HAVING round(shijijibenxinxi.库存高限, 4) <= round(Sum(shijikucun.数量), 4)")
    + kReagentOrder;

const QString kAnyLotSql = QStringLiteral("SELECT EXISTS (SELECT 1") + kHighJoins + u')';

LotCondition byName(const QString &column, const QString &name)
{
    return {QStringLiteral(" WHERE ") + column + QStringLiteral(" = ? COLLATE NOCASE"), {name}};
}

ReagentList reagentList(dao::Database &db, const QString &sql, const QString &candidatesSql)
{
    ReagentList list;
    list.rows = db.select(sql);
    list.candidates = !list.rows.empty() || db.scalar(candidatesSql).toInt() != 0;
    return list;
}

} // namespace

QString lotListSql(const LotCondition &condition)
{
    return kLotSelect + condition.sql + kLotOrder;
}

dao::Result lotList(dao::Database &db, const LotCondition &condition)
{
    dao::Result lots = db.select(lotListSql(condition), condition.params);
    for (dao::Row &row : lots.rows)
        row.set(LotAmountColumn, platform::convert::standard(row[LotAmountColumn].toDouble()));
    return lots;
}

LotCondition allLots()
{
    return {};
}

LotCondition expiringLots(const QDate &today, int days)
{
    return {QStringLiteral(" WHERE shijikucun.有效期 BETWEEN ? AND ?"), {today, today.addDays(days)}};
}

LotCondition expiringAfterToday(const QDate &today, int days)
{
    return {QStringLiteral(" WHERE shijikucun.有效期 <= ? AND shijikucun.有效期 > ?"), {today.addDays(days), today}};
}

LotCondition expiredLots(const QDate &today)
{
    return {QStringLiteral(" WHERE shijikucun.有效期 <= ?"), {today}};
}

LotCondition lotsOfManufacturer(const QString &name)
{
    return byName(QStringLiteral("changshang.厂商"), name);
}

LotCondition lotsOfSupplier(const QString &name)
{
    return byName(QStringLiteral("gongyingshang.供应商"), name);
}

LotCondition lotsOfReagent(const QString &name)
{
    return byName(QStringLiteral("shijijibenxinxi.品名"), name);
}

LotCondition lotsOfGroup(const QString &group)
{
    return byName(QStringLiteral("shijijibenxinxi.组别"), group);
}

Expiry expiryOf(const QDate &expiry, const QDate &today, int days)
{
    if (!expiry.isValid())
        return Expiry::Fresh;
    if (expiry <= today)
        return Expiry::Expired;
    return expiry.addDays(-days) <= today ? Expiry::Expiring : Expiry::Fresh;
}

Currency amountTotal(const dao::Result &lots, int col)
{
    Currency total;
    for (const dao::Row &row : lots.rows)
        total += Currency::fromDouble(platform::convert::parseNumber(row.text(col)).value_or(0));
    return total;
}

ReagentList lowStock(dao::Database &db)
{
    return reagentList(db, kLowSql, kActiveReagentSql);
}

ReagentList highStock(dao::Database &db)
{
    return reagentList(db, kHighSql, kAnyLotSql);
}

QString lowStockSql()
{
    return kLowSql;
}

QString highStockSql()
{
    return kHighSql;
}

} // namespace queries
