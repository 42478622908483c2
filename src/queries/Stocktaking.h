#pragma once

#include "LedgerMoney.h"
#include "widgets/GridSnapshot.h"

#include <functional>

namespace dao {
class Database;
}

// The stocktaking list: for every reagent of the catalogue, or of one group, the quantity
// and amount at the start of the period, received, issued and scrapped in it, at its end
// and in stock now, with the average price of the lots; then the "合计：" row over the six
// amount columns. A disabled reagent without movement in the period and without a closing
// quantity is left out. Column 0 holds the reagent's key.
namespace queries {

inline const QString AllGroups = QStringLiteral("全部组别");
inline const QString StocktakingTitle = QStringLiteral("试剂盘点表");

// Every register line up to ?2: reagent, flag, whether it lies before ?1, quantity and
// unit price.
extern const QString StocktakingLinesSql;

// progress(done, total) is called as the rows are filled.
GridSnapshot stocktaking(dao::Database &db, const Period &period, const QString &group,
                         const std::function<void(int, int)> &progress = {});

} // namespace queries
