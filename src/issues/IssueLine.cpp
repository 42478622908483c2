#include "IssueLine.h"

#include "dao/Database.h"
#include "platform/Convert.h"
#include "stock/LineWrite.h"
#include "stock/MovementFlag.h"

namespace issues {

namespace convert = platform::convert;

LotGone::LotGone()
    : std::runtime_error(QStringLiteral("所选库存批次已不存在，可能已被其他工作站出库或报损。请重新选择试剂。").toStdString())
{
}

namespace {

LowStock lowStock(dao::Database &db, qint32 reagentId)
{
    const dao::Result r = db.select(
        QStringLiteral("SELECT shijijibenxinxi.库存低限, SUM(shijikucun.数量) AS 库存总计 FROM shijijibenxinxi "
                       "INNER JOIN shijikucun ON shijijibenxinxi.试剂ID = shijikucun.试剂ID "
                       "WHERE shijikucun.试剂ID=? GROUP BY shijijibenxinxi.库存低限"),
        {reagentId});
    if (r.empty())
        return {LowStock::Empty, {}, {}};
    if (r[0].isNull(0))
        return {};
    const float limit = r[0][0].toFloat();
    const double total = convert::roundTo(r[0][1].toDouble(), 4);
    // As the figures read, so a rest shown as 1.1 is not below a limit shown as 1.1.
    if (convert::Currency::fromDouble(total) < convert::Currency::fromDouble(limit))
        return {LowStock::Below, convert::doubleText(total), convert::singleText(limit)};
    return {};
}

} // namespace

IssueResult writeIssueLine(dao::Database &db, const IssueLine &line)
{
    stock::requireTransaction(db);
    const dao::Result lots = db.select(
        QStringLiteral("SELECT 试剂ID, 批号, 有效期, 数量, 存放地点, 供应商ID, 入库ID FROM shijikucun WHERE 库存ID=?"),
        {line.lotId});
    if (lots.empty())
        throw LotGone();
    const dao::Row &lot = lots[0];
    const qint32 reagentId = lot[0].toInt();
    const double stored = lot[3].toDouble();
    const double quantity = convert::roundTo(line.quantity, 4);
    IssueResult result;
    if (convert::roundTo(stored - quantity, 4) < 0) {
        result.stored = stored;
        return result;
    }
    db.exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 登记日期, 试剂ID, 批号, 有效期, 数量, 单价, "
                           "认领部门, 认领人, 供应商ID, 操作者ID, 存放地点, 报损原因, 入库ID) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {line.flag, line.number, line.date, reagentId, lot[1], lot[2], quantity,
             convert::roundTo(line.price, 4), line.department, line.claimant, lot[5], line.userId, lot[4], line.reason,
             line.receiptRef.isEmpty() ? lot[6] : QVariant(line.receiptRef)});
    // What is left is kept as the document shows amounts, with two decimals.
    result.remaining = convert::parseNumber(convert::standard(stored - quantity)).value_or(0);
    if (result.remaining == 0)
        db.exec(QStringLiteral("DELETE FROM shijikucun WHERE 库存ID=?"), {line.lotId});
    else
        db.exec(QStringLiteral("UPDATE shijikucun SET 数量=? WHERE 库存ID=?"), {result.remaining, line.lotId});
    result.tip = lowStock(db, reagentId);
    result.saved = true;
    return result;
}

IssueResult saveIssueLine(dao::Database &db, const IssueLine &line)
{
    dao::Transaction t(db);
    const IssueResult result = writeIssueLine(db, line);
    if (result.saved)
        t.commit();
    return result;
}

std::optional<double> lastIssueQuantity(dao::Database &db, qint32 reagentId)
{
    const QVariant q = db.scalar(QStringLiteral("SELECT 数量 FROM shijibiandongdengji WHERE 变动标志=? AND 试剂ID=? "
                                                "ORDER BY 登记ID DESC LIMIT 1"),
                                 {stock::Issue, reagentId});
    if (q.isNull())
        return std::nullopt;
    return q.toDouble();
}

} // namespace issues
