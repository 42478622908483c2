#pragma once

#include <QString>

#include <cstdint>

// Writes a large, realistic store with the program's own schema and password, the same
// store for the same seed.
namespace bench {

struct StoreSize {
    int reagents = 20000;
    int manufacturers = 300;
    int suppliers = 300;
    int departments = 200;
    int claimants = 500;
    int movementLines = 1000000;
    int stockLots = 60000;
    int years = 10;
    // The daily rate of movements on the last day against the first (1: flat).
    double growth = 1;
    // Popularity of reagents: a line's reagent is drawn as u^skew over a shuffled list
    // (1: every reagent alike; 3: a tenth of the reagents takes nearly half the lines).
    double skew = 1;
    // Share of the lots whose expiry date lies before the last day.
    double expiredLots = 0;

    // A store small enough for a CI run.
    static StoreSize small();
    // Ten years of a large hospital laboratory.
    static StoreSize large();
};

struct StoreFacts {
    qint64 movementLines = 0;
    qint64 lots = 0;
    qint64 reagents = 0;
};

// The last day of movements is endDate; the file must not exist yet.
StoreFacts generateStore(const QString &path, const QString &key, const StoreSize &size, std::uint64_t seed,
                         const QString &endDate = QStringLiteral("2026-12-10"));

} // namespace bench
