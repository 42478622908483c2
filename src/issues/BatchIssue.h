#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace dao {
class Database;
}

namespace issues {

// A receipt document issued at once, to one department and claimant under one issue number.
struct BatchIssue {
    qint64 number = 0; // 单号 of the issue document
    QDate date;
    QString department;
    QString claimant;
    qint32 userId = 0;
};

// The lot a receipt line can be issued from whole: still holding exactly what the line
// received, equal to it in reagent, batch, expiry, quantity, price and supplier as stored.
// That is the lot the line created (入库ID its 登记ID); a lot of another receipt is never
// taken, for its own line would find nothing left. A lot remembering no receipt (from before
// lots did) stands in only when the line's own lot does not exist.
struct WholeLot {
    qint64 lotId = 0;
    double quantity = 0;
    double price = 0;
};
struct WholeLots {
    QList<WholeLot> lots; // one per line, up to the first line without one
    int missing = -1;     // the index of that line; -1 when every line has its whole lot
};
// The whole lots of the receipt lines (their 登记ID, in list order), each line a lot of its own.
WholeLots wholeLots(dao::Database &db, const QList<qint64> &receiptLines);

// Issues every receipt line whole, in one transaction: the whole lots are found again inside
// it, each is deleted and an issue record written at the received quantity and price (no
// mark-up), pointing back to its receipt line (入库ID). Returns -1 once every line is written
// and committed; otherwise the index of the first line without its whole lot (another
// workstation took from it since the check), and nothing is written. Failures throw after
// rolling back.
int saveBatchIssue(dao::Database &db, const BatchIssue &batch, const QList<qint64> &receiptLines);

} // namespace issues
