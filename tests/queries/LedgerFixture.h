#pragma once

#include "RecordingShell.h"
#include "StoreFixture.h"

// The store fixture (today 15 January 2026, so the ledger proposes December 2025) with one
// registered manufacturer and short builders for the ledger's reagents, lines and lots.
class LedgerFixture : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        m_maker = store.maker(QStringLiteral("兰州生物"));
    }

    // registeredMaker false: a manufacturer missing from the register.
    qint32 reagent(const QString &name, const QString &group, bool disabled = false, bool registeredMaker = true)
    {
        return store.reagent({.name = name, .group = group, .maker = registeredMaker ? m_maker : m_maker + 99,
                              .disabled = disabled});
    }
    void line(int flag, qint32 reagentId, const QDate &date, double quantity, double price,
              const QString &department = QString(), const QString &claimant = QString())
    {
        store.line({.flag = flag, .date = date, .reagent = reagentId, .quantity = quantity, .price = price,
                    .department = department, .claimant = claimant});
    }
    void lot(qint32 reagentId, double quantity, double price)
    {
        store.lot({.reagent = reagentId, .quantity = quantity, .price = price});
    }

    RecordingShell shell;

private:
    qint32 m_maker = 0;
};
