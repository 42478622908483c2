#pragma once

#include <QString>

#include <utility>

class FlexGrid;
class QWidget;

namespace dao {
class Database;
}

namespace receipts {

// A receipt line as a row of the receipt-line query names it.
struct ReversalLine {
    qint64 id = 0;        // 登记ID
    qint32 reagentId = 0; // 试剂ID
    QString name;         // 品名, for the messages
    QString owner;        // 操作者, the user who entered it
};

// Reads columns 0, 1, 3 and 14 of a data row of the receipt-line query.
ReversalLine reversalLine(const FlexGrid &grid, int row);

// Takes a receipt line back: deletes its movement record and its lot (or the line's share
// of an old lot that holds several receipts), as long as nothing of the lot has left the
// store. Only the line's own user or a super user may. True only when committed; after a
// refusal, a No answer or a failure (shown here) the database is unchanged.
bool reverseReceiptLine(dao::Database &db, const ReversalLine &line, const QString &userName,
                        bool superUser, QWidget *owner);

// Reverses the line of a grid row for the logged-in user on the shared connection, the
// reagent becoming the current one.
bool CancelInRow(const FlexGrid &grid, int row, QWidget *owner);

// The data rows from the current row to the end of the selection, in either direction.
std::pair<int, int> selectedRows(const FlexGrid &grid);
// The question before a reversal run and, when the settings ask for it, the password;
// false when the run must not start (the refusal was shown).
bool confirmReversal(int first, int last, bool pswProtect, QWidget *owner);

} // namespace receipts
