#include "OutLineReversal.h"

#include "dao/Database.h"
#include "platform/Convert.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

namespace stock {

using platform::convert::roundHalfAway;
using platform::convert::roundTo;

namespace {

// A write that must touch exactly one row: anything else means another workstation got
// there first, and the whole reversal is given up.
void execOne(dao::Database &db, const QString &sql, const QVariantList &params)
{
    db.exec(sql, params);
    if (db.changes() != 1)
        throw dao::DaoError(dao::ErrNoCurrentRecord, QStringLiteral("出库或报损记录、库存已被改动，请重新检索"));
}

// The price a used-up lot is made again with: that of the receipt line that created it,
// not the issue price marked up by the settings or a price typed on a scrap line.
QVariant lotPrice(dao::Database &db, const QString &receiptId, const QVariant &linePrice)
{
    bool isNumber = false;
    const qint64 receipt = receiptId.toLongLong(&isNumber);
    if (!isNumber)
        return linePrice;
    const QVariant price = db.scalar(
        QStringLiteral("SELECT 单价 FROM shijibiandongdengji WHERE 登记ID=? AND 变动标志=?"), {receipt, Receipt});
    return price.isNull() ? linePrice : price;
}

} // namespace

ReversalResult reverseOutLine(dao::Database &db, qint64 id, const Actor &actor)
{
    dao::Transaction t(db);
    const dao::Result found = db.select(
        QStringLiteral("SELECT r.试剂ID, r.批号, r.有效期, r.数量, r.单价, r.存放地点, r.供应商ID, r.入库ID, u.用户名 "
                       "FROM shijibiandongdengji r LEFT JOIN yonghu u ON u.用户ID = r.操作者ID "
                       "WHERE r.登记ID=? AND r.变动标志 IN (?, ?)"),
        {id, Issue, Scrap});
    if (found.empty())
        throw dao::DaoError(dao::ErrNoCurrentRecord, QStringLiteral("该出库或报损记录已不存在"));
    const dao::Row &line = found[0];

    if (const auto refusal = ownershipRefusal(actor, line.text(8)))
        return *refusal;

    // The lot keeps the day only, however the line stored it.
    const QString expiryDay = line.text(2).left(10);
    const QVariant expiry = expiryDay.isEmpty() ? QVariant() : QVariant(expiryDay);
    const double quantity = line[3].toDouble();
    const QString receiptId = line.text(7);
    const dao::Result lot =
        receiptId.isEmpty()
            // Lines from before lots remembered their receipt: matched by their attributes,
            // never a lot that belongs to a receipt.
            ? db.select(QStringLiteral("SELECT 库存ID, 数量 FROM shijikucun WHERE 试剂ID IS ? AND 批号 IS ? "
                                       "AND 有效期 IS ? AND 单价 IS ? AND 存放地点 IS ? AND 供应商ID IS ? "
                                       "AND (入库ID IS NULL OR 入库ID = '') ORDER BY 库存ID LIMIT 1"),
                        {line[0], line[1], expiry, line[4], line[5], line[6]})
            : db.select(QStringLiteral("SELECT 库存ID, 数量 FROM shijikucun WHERE 入库ID=? ORDER BY 库存ID LIMIT 1"),
                        {receiptId});
    if (lot.empty()) {
        db.exec(QStringLiteral("INSERT INTO shijikucun (试剂ID, 批号, 有效期, 数量, 单价, 存放地点, 供应商ID, 入库ID) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {line[0], line[1], expiry, roundTo(quantity, 4), lotPrice(db, receiptId, line[4]), line[5], line[6],
                 receiptId});
    } else {
        const double held = lot[0][1].toDouble();
        // The sum as "Standard" writes it, two decimals.
        execOne(db, QStringLiteral("UPDATE shijikucun SET 数量=? WHERE 库存ID=? AND 数量=?"),
                {roundHalfAway(held + quantity, 2), lot[0][0], held});
    }
    execOne(db, QStringLiteral("DELETE FROM shijibiandongdengji WHERE 登记ID=?"), {id});
    t.commit();
    return ReversalResult::reversed();
}

RowReversal outRowReversal(const FlexGrid &grid)
{
    return [&grid](dao::Database &db, int row, bool) {
        const ReversalResult result =
            reverseOutLine(db, grid.TextMatrix(row, 0).toLongLong(), {ModBase::UserName, ModBase::SuperUser});
        if (result.outcome == ReversalResult::Reversed)
            ModBase::CurSJID = grid.TextMatrix(row, 1).toInt();
        return result;
    };
}

} // namespace stock
