#include "LotTake.h"

#include "platform/Convert.h"

namespace issues {

using platform::convert::roundHalfEven;

namespace {

// The spinner's top: the lot's whole units, a half to the even neighbour, at least 1.
int wholeUnits(double quantity)
{
    return quantity < 1 ? 1 : static_cast<int>(roundHalfEven(quantity));
}

} // namespace

ChosenLot chosenLotOf(const QStringList &row)
{
    ChosenLot lot;
    lot.lotId = row.value(0).toLongLong();
    lot.reagentId = row.value(1).toInt();
    lot.name = row.value(3);
    lot.batch = row.value(5);
    lot.expiry = QDate::fromString(row.value(6).left(10), Qt::ISODate);
    lot.quantityText = row.value(9);
    lot.quantity = static_cast<float>(platform::convert::parseNumber(lot.quantityText).value_or(0));
    lot.unit = row.value(10);
    lot.price = static_cast<float>(platform::convert::parseNumber(row.value(11)).value_or(0));
    lot.place = row.value(12);
    lot.supplierId = row.value(13).toInt();
    lot.receiptId = row.value(15);
    return lot;
}

LotProposal issueTake(const ChosenLot &lot, float outRate, std::optional<double> lastIssue)
{
    LotProposal p;
    p.price = platform::convert::standard(outRate * lot.price);
    const double quantity = lot.quantity;
    p.spinMax = wholeUnits(quantity);
    if (lastIssue && roundHalfEven(*lastIssue) <= p.spinMax)
        p.spinValue = *lastIssue < 1 ? 1 : static_cast<int>(roundHalfEven(*lastIssue));
    p.quantity = quantity < 1 ? lot.quantityText : QString::number(p.spinValue);
    return p;
}

LotProposal scrapTake(const ChosenLot &lot)
{
    LotProposal p;
    p.price = platform::convert::singleText(lot.price);
    p.spinMax = wholeUnits(lot.quantity);
    p.spinValue = p.spinMax;
    p.quantity = lot.quantityText;
    return p;
}

} // namespace issues
