#pragma once

#include "LineReversal.h"
#include "ReversalRun.h"

#include <QString>

class FlexGrid;

namespace dao {
class Database;
}

namespace stock {

// A receipt line as a row of the receipt lines names it.
struct ReversalLine {
    qint64 id = 0;        // 登记ID
    qint32 reagentId = 0; // 试剂ID
    QString name;         // 品名, for the messages
    QString owner;        // 操作者, the user who entered it
};

// Reads columns 0, 1, 3 and 14 of a data row of the receipt lines (documentLines).
ReversalLine reversalLine(const FlexGrid &grid, int row);

// Takes a receipt line back: deletes its movement record and its lot (or the line's share
// of an old lot that holds several receipts), as long as nothing of the lot has left the
// store. Only the line's own user or a super user may. Taking the line's share of an old
// lot that other receipts fed is asked first; `confirmed` answers it. Anything but
// Reversed leaves the database unchanged; a failure is thrown after rolling back.
ReversalResult reverseReceiptLine(dao::Database &db, const ReversalLine &line, const Actor &actor, bool confirmed);

// The step of the reversal run for a row of the receipt lines, for the logged-in user; the
// row's reagent becomes the current one.
RowReversal receiptRowReversal(const FlexGrid &grid);

} // namespace stock
