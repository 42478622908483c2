#pragma once

#include "stock/MovementFlag.h"

#include <QList>

class FlexGrid;
class QLabel;

namespace issues {

// What a document window shows of its current document: the lines grid with its widths,
// the label of their count and amount, and the hidden grid of the lines in print layout.
struct DocumentView {
    FlexGrid *lines = nullptr;
    QList<int> widths; // twips per column of the lines grid
    QLabel *count = nullptr;
    FlexGrid *print = nullptr;
};

// The widths of the lines grid of both issue windows.
inline const QList<int> IssueLineWidths = {0, 0, 1300, 2550, 1300, 1300, 1000, 1000, 700, 600,
                                           800, 1300, 0, 0, 0, 1000, 800, 1300, 0};

// Reads the lines of document `number` of the series into both grids, newest first, shows
// "共 n 条记录，金额：..." and leaves the amount as the report total. A failure shows the
// common error box.
void showDocumentLines(const DocumentView &view, stock::MovementFlag flag, qint64 number);

} // namespace issues
