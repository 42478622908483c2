#pragma once

#include "StoreFixture.h"
#include "shell/ModBase.h"

// The store fixture in the words of the order tests: reagents of spec 100T, movement lines
// dated some days before today, lots by quantity alone.
class OrderFixture : public StoreFixture {
protected:
    qint32 reagent(const QString &name, const QString &pinyin, const QString &group, qint32 makerId,
                   bool disabled = false)
    {
        return store.reagent({.name = name, .pinyin = pinyin, .spec = QStringLiteral("100T"), .group = group,
                              .maker = makerId, .disabled = disabled});
    }
    // A movement line (1 receipt, 2 issue, 3 scrap) dated daysAgo before today.
    void movement(int flag, qint32 reagentId, int daysAgo, double quantity, double price, qint32 supplierId = 0)
    {
        store.line({.flag = flag, .date = today().addDays(-daysAgo), .reagent = reagentId, .quantity = quantity,
                    .price = price, .supplier = supplierId});
    }
    void lot(qint32 reagentId, double quantity) { store.lot({.reagent = reagentId, .quantity = quantity}); }
};
