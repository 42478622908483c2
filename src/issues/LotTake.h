#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace issues {

// A stock lot as a row of the lot pick list shows it.
struct ChosenLot {
    qint64 lotId = 0; // 库存ID
    qint32 reagentId = 0;
    QString name;
    QString unit;
    QString batch;
    QDate expiry;
    QString place;
    QString quantityText; // 数量 as the list shows it
    float quantity = 0;
    float price = 0;
    qint32 supplierId = 0;
    QString receiptId; // 入库ID
};

ChosenLot chosenLotOf(const QStringList &row);

// What taking a lot proposes for the line: the price, the spinner's bounds and value, the
// quantity.
struct LotProposal {
    QString price;
    int spinMax = 1;
    int spinValue = 1;
    QString quantity;
};

// How a window turns a taken lot into its proposal.
using LotTake = std::function<LotProposal(const ChosenLot &lot)>;

// The issue windows' take: the lot price marked up by outRate; the spinner up to the lot's
// whole units (at least 1); the quantity of the reagent's latest issue (lastIssue) when
// the lot holds it, else 1; a lot below one unit proposes itself whole.
LotProposal issueTake(const ChosenLot &lot, float outRate, std::optional<double> lastIssue);

// The scrap window's take: the lot's own price, the whole lot as the quantity (as the list
// shows it), the spinner up to and on the lot's whole units (at least 1).
LotProposal scrapTake(const ChosenLot &lot);

} // namespace issues
