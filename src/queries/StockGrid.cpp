#include "StockGrid.h"

#include "StockLists.h"
#include "dao/Row.h"
#include "shell/ModDataGrid.h"
#include "widgets/FlexGrid.h"

namespace queries {

void showLots(FlexGrid &grid, const dao::Result &lots)
{
    grid.Fill(lots);
    grid.setColWidths({LotWidths.begin(), LotWidths.end()});
}

void colourLots(FlexGrid &grid, const dao::Result &lots, const QDate &today, int days)
{
    for (int r = 1; r < grid.Rows() && r <= lots.size(); ++r) {
        const QDate expiry = QDate::fromString(lots[r - 1].text(LotExpiryColumn).left(10), Qt::ISODate);
        const Expiry state = expiryOf(expiry, today, days);
        if (state == Expiry::Fresh)
            continue;
        const QColor colour = state == Expiry::Expired ? QColor(255, 0, 0) : QColor(0, 0, 255);
        for (int c = 0; c < grid.Cols(); ++c)
            grid.setCellForeColor(r, c, colour);
    }
}

int showReagents(FlexGrid &grid, const ReagentList &list)
{
    if (list.candidates && list.rows.empty()) {
        ModData::ResetGrid(&grid);
        return 0;
    }
    grid.Fill(list.rows);
    grid.setColWidths({ReagentWidths.begin(), ReagentWidths.end()});
    return grid.Rows() - 1;
}

} // namespace queries
