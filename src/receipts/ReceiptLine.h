#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace dao {
class Database;
}

namespace receipts {

// One line of a receipt document as the window hands it over.
struct ReceiptLine {
    qint64 number = 0; // 单号
    QString invoice;
    QDate date;
    qint32 reagentId = 0;
    QString batch;
    QDate expiry;
    double quantity = 0;
    double price = 0;
    qint32 supplierId = 0;
    qint32 userId = 0;
    QString place;
};

// Writes the movement record and the new lot that remembers it (its 入库ID is the record's
// 登记ID as text) inside the caller's open transaction, which the caller commits or rolls
// back; throws when no transaction is open. Returns the 登记ID.
qint64 writeReceiptLine(dao::Database &db, const ReceiptLine &line);
// The same in a transaction of its own: both or neither.
qint64 saveReceiptLine(dao::Database &db, const ReceiptLine &line);

// The supplier and storage place of the latest receipt line.
struct LatestSupplier {
    qint32 supplierId = 0;
    QString supplier;
    QString place;
};
// Empty when no receipt is stored or the supplier of the latest one is gone.
std::optional<LatestSupplier> latestSupplier(dao::Database &db);

// The price of the reagent's most recently entered receipt line, as plain text; empty
// when it was never received.
QString lastReceiptPrice(dao::Database &db, qint32 reagentId);

} // namespace receipts
