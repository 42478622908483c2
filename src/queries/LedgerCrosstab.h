#pragma once

#include "LedgerMoney.h"
#include "stock/MovementFlag.h"
#include "widgets/GridSnapshot.h"

namespace dao {
class Database;
}

// The period's issue or scrap amounts per claiming department or claimant, one column per
// laboratory group: the name, "合计", then the groups that occur, in Chinese order; a pair
// without lines stays empty. The cells hold the plain sums; the window adds the total row.
namespace queries {

enum class CrosstabRows { Department, Claimant };

// flag is Issue or Scrap. A line without a name counts under the empty name, a
// reagent without a group under the empty group, which sorts first.
GridSnapshot crosstab(dao::Database &db, const Period &period, CrosstabRows by, stock::MovementFlag flag);
QString crosstabTitleName(stock::MovementFlag flag);
// The grouped statement behind it: the name, the group and their amount in ten-thousandths
// for the flag, the first and the last day bound in this order.
QString crosstabSql(CrosstabRows by);

} // namespace queries
