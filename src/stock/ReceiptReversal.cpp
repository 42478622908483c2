#include "ReceiptReversal.h"

#include "MovementFlag.h"
#include "dao/Database.h"
#include "platform/Convert.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

namespace stock {

using platform::convert::roundTo;

namespace {

QString quotedName(const QString &name)
{
    return QStringLiteral("试剂“") + name + QStringLiteral("”");
}

// A write that must touch exactly one row: anything else means another workstation got
// there first, and the whole reversal is given up.
void execOne(dao::Database &db, const QString &sql, const QVariantList &params)
{
    db.exec(sql, params);
    if (db.changes() != 1)
        throw dao::DaoError(dao::ErrNoCurrentRecord, QStringLiteral("入库记录或库存已被改动，请重新检索"));
}

struct Lot {
    qint64 id = 0;
    double quantity = 0;
    bool own = false; // found as the lot this line created
};

} // namespace

ReversalLine reversalLine(const FlexGrid &grid, int row)
{
    return {grid.TextMatrix(row, 0).toLongLong(), grid.TextMatrix(row, 1).toInt(), grid.TextMatrix(row, 3),
            grid.TextMatrix(row, 14)};
}

ReversalResult reverseReceiptLine(dao::Database &db, const ReversalLine &line, const Actor &actor, bool confirmed)
{
    if (auto refusal = ownershipRefusal(actor, line.owner))
        return *refusal;
    const dao::Result record = db.select(
        QStringLiteral("SELECT 试剂ID, 批号, 有效期, 单价, 存放地点, 供应商ID, 数量 FROM shijibiandongdengji "
                       "WHERE 登记ID=? AND 变动标志=?"),
        {line.id, Receipt});
    if (record.empty())
        throw dao::DaoError(dao::ErrNoCurrentRecord, QStringLiteral("该入库记录已不存在"));
    const dao::Row &r = record[0];
    const double lineQuantity = r[6].toDouble();

    Lot lot;
    dao::Result found = db.select(
        QStringLiteral("SELECT 库存ID, 数量 FROM shijikucun WHERE 入库ID=? ORDER BY 库存ID LIMIT 1"),
        {QString::number(line.id)});
    lot.own = !found.empty();
    if (!lot.own) {
        // Lots from before lots remembered their receipt: matched by their attributes,
        // never a lot that belongs to another line.
        found = db.select(
            QStringLiteral("SELECT 库存ID, 数量 FROM shijikucun WHERE 试剂ID IS ? AND 批号 IS ? AND 有效期 IS ? "
                           "AND 单价 IS ? AND 存放地点 IS ? AND 供应商ID IS ? "
                           "AND (入库ID IS NULL OR 入库ID = '') ORDER BY 库存ID LIMIT 1"),
            {r[0], r[1], r[2], r[3], r[4], r[5]});
        if (found.empty())
            return ReversalResult::refused(quotedName(line.name) + QStringLiteral("已出库完毕！不能撤消入库。"));
    }
    lot.id = found[0][0].toLongLong();
    lot.quantity = found[0][1].toDouble();

    const double d = roundTo(lineQuantity - lot.quantity, 4);
    if (d > 0)
        return ReversalResult::refused(quotedName(line.name) +
                                       QStringLiteral("已经部分出库！不能直接撤消入库。\n\n"
                                                      "如需撤消这一入库记录，必须先撤消该试剂的所有出库记录"));
    if (d < 0 && !lot.own && !confirmed)
        return ReversalResult::ask(quotedName(line.name) +
                                   QStringLiteral("同批号有两次或两次以上的入库记录！确实要撤消本次入库记录？"));

    // The lot is written only as it was read, so a change in between fails the reversal.
    dao::Transaction t(db);
    if (d == 0)
        execOne(db, QStringLiteral("DELETE FROM shijikucun WHERE 库存ID=? AND 数量=?"), {lot.id, lot.quantity});
    else
        execOne(db, QStringLiteral("UPDATE shijikucun SET 数量=? WHERE 库存ID=? AND 数量=?"),
                {roundTo(lot.quantity - lineQuantity, 4), lot.id, lot.quantity});
    execOne(db, QStringLiteral("DELETE FROM shijibiandongdengji WHERE 登记ID=? AND 变动标志=?"), {line.id, Receipt});
    t.commit();
    return ReversalResult::reversed();
}

RowReversal receiptRowReversal(const FlexGrid &grid)
{
    return [&grid](dao::Database &db, int row, bool confirmed) {
        const ReversalLine line = reversalLine(grid, row);
        ModBase::CurSJID = line.reagentId;
        return reverseReceiptLine(db, line, {ModBase::UserName, ModBase::SuperUser}, confirmed);
    };
}

} // namespace stock
