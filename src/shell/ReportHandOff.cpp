#include "ReportHandOff.h"

#include "ModBase.h"

void handOffReport(const ReportHandOff &report)
{
    ModBase::PrintGrid = report.grid;
    ModBase::PrintTitle = report.title;
    ModBase::PrintKind = report.kind;
    ModBase::PrintTotal = report.total;
}

GridSnapshot firstColumns(GridSnapshot grid, int cols)
{
    grid.header = grid.header.mid(0, cols);
    for (QStringList &row : grid.rows)
        row = row.mid(0, cols);
    grid.colWidths = grid.colWidths.mid(0, cols);
    grid.colAlignments = grid.colAlignments.mid(0, cols);
    for (QList<QColor> &colors : grid.foreColors)
        colors = colors.mid(0, cols);
    return grid;
}
