#pragma once

#include <QDate>

class FlexGrid;

namespace dao {
struct Result;
}

// Showing the stock lists in a result grid, the same way in every window that shows them.
namespace queries {

struct ReagentList;

// The lots with the lot-list widths (the key column hidden).
void showLots(FlexGrid &grid, const dao::Result &lots);
// Red text for the rows of expired lots, blue for lots expiring within days; the grid
// shows these lots in their order.
void colourLots(FlexGrid &grid, const dao::Result &lots, const QDate &today, int days);
// The qualifying reagents with the per-reagent widths; a reset grid when reagents were
// judged and none qualified. The number of data rows shown.
int showReagents(FlexGrid &grid, const ReagentList &list);

} // namespace queries
