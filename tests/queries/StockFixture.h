#pragma once

#include "StoreFixture.h"

#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"

#include <optional>

// The store fixture on a fixed day with a warning period of 30 days, one manufacturer and
// one supplier (both key 1); reagents and lots are added per test.
class StockFixture : public StoreFixture {
protected:
    static inline const QDate Today{2024, 3, 5};

    void SetUp() override
    {
        StoreFixture::SetUp();
        ModBase::SysDate = Today;
        ModBase::SXDays = 30;
        store.maker(QStringLiteral("兰州生物"));
        store.supplier(QStringLiteral("北京医药"));
    }
    void TearDown() override
    {
        FrmPopMenu::instance().unloadItems();
        StoreFixture::TearDown();
    }

    struct Reagent {
        QString name;
        QString group = QStringLiteral("生化组");
        std::optional<double> low = {};
        std::optional<double> high = {};
        bool disabled = false;
        int maker = 1;
    };

    // A catalogue entry; its key.
    qint32 reagent(const Reagent &r)
    {
        const auto limit = [](const std::optional<double> &v) { return v ? QVariant(*v) : QVariant(); };
        return store.reagent({.name = r.name, .group = r.group, .maker = r.maker, .disabled = r.disabled,
                              .low = limit(r.low), .high = limit(r.high)});
    }

    // A stock lot of the reagent, as a receipt leaves it.
    void lot(qint32 reagentId, double quantity, const QDate &expiry = QDate(2025, 1, 1), double price = 10,
             int supplier = 1, const QString &batch = QStringLiteral("B1"))
    {
        store.lot({.reagent = reagentId, .batch = batch, .expiry = expiry, .quantity = quantity, .price = price,
                   .supplier = supplier});
    }
};
