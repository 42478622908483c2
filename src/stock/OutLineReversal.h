#pragma once

#include "LineReversal.h"
#include "ReversalRun.h"

class FlexGrid;

namespace dao {
class Database;
}

namespace stock {

// Takes back one issue or scrap line (变动标志 2 or 3), read from the register by its 登记ID:
// its quantity returns to the lot it was taken from, or that lot is made again when it has
// been used up, and the record is deleted, in one transaction. Only the line's own user or
// a super user may; a refusal changes nothing. A line that is no longer there (reversed
// meanwhile on another workstation) or any failing step throws, after rolling back.
ReversalResult reverseOutLine(dao::Database &db, qint64 id, const Actor &actor);

// The step of the reversal run for a row of issue or scrap lines (登记ID in column 0,
// 试剂ID in column 1), for the logged-in user; a reversed row's reagent becomes the
// current one.
RowReversal outRowReversal(const FlexGrid &grid);

} // namespace stock
