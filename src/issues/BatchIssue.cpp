#include "BatchIssue.h"

#include "IssueLine.h"
#include "dao/Database.h"
#include "stock/MovementFlag.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace issues {

namespace {

// The lots equal to the receipt line on the six values that either belong to it or to no
// receipt, its own first.
const QString kCandidates = QStringLiteral(
    "SELECT k.库存ID, k.数量, k.单价, k.入库ID = ? AS own FROM shijibiandongdengji r "
    "INNER JOIN shijikucun k ON k.试剂ID = r.试剂ID AND k.批号 IS r.批号 AND k.有效期 IS r.有效期 "
    "AND k.数量 = r.数量 AND k.单价 = r.单价 AND k.供应商ID IS r.供应商ID "
    "WHERE r.登记ID = ? AND r.变动标志 = ? AND (k.入库ID = ? OR k.入库ID IS NULL OR k.入库ID = '') "
    "ORDER BY own DESC, k.库存ID");

std::optional<WholeLot> wholeLot(dao::Database &db, qint64 receiptLine, const QList<WholeLot> &taken)
{
    const QString ref = QString::number(receiptLine);
    const dao::Result candidates = db.select(kCandidates, {ref, receiptLine, stock::Receipt, ref});
    const bool ownExists =
        db.scalar(QStringLiteral("SELECT 1 FROM shijikucun WHERE 入库ID = ? LIMIT 1"), {ref}).isValid();
    for (const dao::Row &row : candidates.rows) {
        const bool own = row[3].toInt() != 0;
        if (ownExists && !own)
            break;
        const qint64 lotId = row[0].toLongLong();
        if (std::none_of(taken.begin(), taken.end(), [lotId](const WholeLot &l) { return l.lotId == lotId; }))
            return WholeLot{lotId, row[1].toDouble(), row[2].toDouble()};
    }
    return std::nullopt;
}

} // namespace

WholeLots wholeLots(dao::Database &db, const QList<qint64> &receiptLines)
{
    WholeLots result;
    for (int i = 0; i < receiptLines.size(); ++i) {
        const std::optional<WholeLot> lot = wholeLot(db, receiptLines.at(i), result.lots);
        if (!lot) {
            result.missing = i;
            break;
        }
        result.lots.append(*lot);
    }
    return result;
}

int saveBatchIssue(dao::Database &db, const BatchIssue &batch, const QList<qint64> &receiptLines)
{
    dao::Transaction t(db);
    const WholeLots whole = wholeLots(db, receiptLines);
    if (whole.missing >= 0)
        return whole.missing;
    for (int i = 0; i < receiptLines.size(); ++i) {
        IssueLine line;
        line.number = batch.number;
        line.date = batch.date;
        line.lotId = whole.lots.at(i).lotId;
        line.quantity = whole.lots.at(i).quantity;
        line.price = whole.lots.at(i).price;
        line.department = batch.department;
        line.claimant = batch.claimant;
        line.userId = batch.userId;
        line.receiptRef = QString::number(receiptLines.at(i));
        if (!writeIssueLine(db, line).saved)
            throw std::logic_error("a whole lot held less than its receipt line");
    }
    t.commit();
    return -1;
}

} // namespace issues
