#pragma once

#include <QList>
#include <QStringList>

// The texts of a grid at one moment: what the report preview and the grid export read,
// so a report never depends on a window that may have closed since.
struct GridSnapshot {
    QStringList header;       // row 0
    QList<QStringList> rows;  // the data rows, each as wide as the header
    QList<int> colWidths;     // twips, 0 for a hidden column
    QList<int> colAlignments; // Qt::Alignment values, one per column

    int cols() const { return static_cast<int>(header.size()); }
    int rowCount() const { return static_cast<int>(rows.size()); }
    QString text(int row, int col) const { return rows.value(row).value(col); }
};
