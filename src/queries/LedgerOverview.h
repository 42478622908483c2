#pragma once

#include "LedgerMoney.h"
#include "widgets/GridSnapshot.h"

namespace dao {
class Database;
}

// The two money reports of the ledger over the whole store, each a three-row grid: the
// period summary (the period's receipts, issues and scrap and the stock now) and the
// overview (the same between the opening and the closing balance).
namespace queries {

GridSnapshot periodSummary(dao::Database &db, const Period &period);
GridSnapshot overview(dao::Database &db, const Period &period);

inline const QString OverviewTitle = QStringLiteral("试剂统计概况");

// Each flag's amount (in ten-thousandths) of the lines before ?1, receipts, issues, scrap.
extern const QString OpeningSumsSql;
// Each flag's amount and line count from ?1 to ?2, flag by flag.
extern const QString PeriodSumsSql;

} // namespace queries
