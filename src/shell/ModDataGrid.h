#pragma once

#include <QString>

class FlexGrid;
class QComboBox;

// The list and grid routines the query and register windows share.
namespace ModData {

// Fills the list with the first field of every row of the query, skipping empty values;
// an empty first item when addBlank. A failure shows the error box and keeps what was added.
void FillCombo(QComboBox *combo, const QString &sql, bool addBlank);
// Sorts by the current column when the mouse y (twips) lies in the header row: a first
// click descending with "↑", then alternating.
void SortGrid(FlexGrid *grid, double y);
// One column of 1080 twips, two empty rows, no remembered sort column.
void ResetGrid(FlexGrid *grid);

} // namespace ModData
