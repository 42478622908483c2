#pragma once

#include "stock/MovementFlag.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>
#include <stdexcept>

namespace dao {
class Database;
}

namespace issues {

// One line of an issue or scrap document as the window hands it over: what the user typed
// and the lot chosen. Reagent, batch, expiry, supplier, place and 入库ID come from the
// stored lot.
struct IssueLine {
    stock::MovementFlag flag = stock::Issue; // Issue or Scrap
    qint64 number = 0; // 单号
    QDate date;
    qint64 lotId = 0; // 库存ID
    double quantity = 0;
    double price = 0;
    QString department;
    QString claimant;
    qint32 userId = 0;
    QVariant reason; // 报损原因 of a scrap line; Null on an issue line
    QString receiptRef; // 入库ID of the record when not the lot's: a batch line names its receipt line
};

// The reagent's stock after a line, when the tip has something to say.
struct LowStock {
    enum Kind { None, Below, Empty };
    Kind kind = None;
    QString total; // 库存总计 and 库存低限 as plain numbers, for Below
    QString limit;
};

struct IssueResult {
    bool saved = false;
    double stored = 0;    // the lot's quantity when the line was refused for want of stock
    double remaining = 0; // what the lot holds after the line (0: the lot was deleted)
    LowStock tip;
};

// The chosen lot is no longer in the store (issued or scrapped elsewhere meanwhile).
class LotGone : public std::runtime_error {
public:
    LotGone();
};

// Writes the line inside the caller's transaction: reads the lot by its key, refuses
// (saved false, nothing written) when it holds less than the line asks, else appends the
// movement record, lowers the lot or deletes it when it reaches zero, and works out the
// low-stock tip. Throws LotGone when the lot is no longer stored.
IssueResult writeIssueLine(dao::Database &db, const IssueLine &line);
// The same in a transaction of its own: committed when saved, rolled back otherwise and
// on every failure.
IssueResult saveIssueLine(dao::Database &db, const IssueLine &line);

// The quantity of the reagent's latest issue line.
std::optional<double> lastIssueQuantity(dao::Database &db, qint32 reagentId);

} // namespace issues
