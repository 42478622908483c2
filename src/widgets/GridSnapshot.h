#pragma once

#include <QColor>
#include <QList>
#include <QStringList>

// The texts of a grid at one moment: what the report preview and the grid export read,
// so a report never depends on a window that may have closed since.
struct GridSnapshot {
    QStringList header;              // row 0
    QList<QStringList> rows;         // the data rows, each as wide as the header
    QList<int> colWidths;            // twips, 0 for a hidden column
    QList<int> colAlignments;        // Qt::Alignment values, one per column; 0 general
    QList<QList<QColor>> foreColors; // text colour of data cells; missing or invalid: black

    int cols() const { return static_cast<int>(header.size()); }
    int rowCount() const { return static_cast<int>(rows.size()); }
    QString text(int row, int col) const { return rows.value(row).value(col); }
    QColor foreColor(int row, int col) const
    {
        const QColor c = foreColors.value(row).value(col);
        return c.isValid() ? c : QColor(Qt::black);
    }
};
