#pragma once

#include "LineReversal.h"
#include "MovementFlag.h"

#include <functional>
#include <utility>

class FlexGrid;
class QWidget;

namespace dao {
class Database;
}

namespace stock {

// The storage step for one grid row: reverses the line in one transaction, or says why
// not. `confirmed` is true when it runs again after its question was answered Yes.
// Failures are thrown.
using RowReversal = std::function<ReversalResult(dao::Database &db, int row, bool confirmed)>;

// Runs the step for one row and shows what it decided: the refusal, the question (Yes runs
// the step again), a failure in the common error box. True only when the line was reversed.
bool reverseRow(const RowReversal &step, int row, QWidget *owner);

// The data rows from the current row to the end of the selection, in either direction.
std::pair<int, int> selectedRows(const FlexGrid &grid);

// What happens to a reversed row: the reversal windows take it out of the grid; the
// document windows leave their grid alone and read their lines again after the run.
enum class ReversedRows { Remove, Keep };

// The reversal command over the selected rows of a grid: the question naming the rows and
// the kind's word ("确定撤消第3行出库记录？"), the password once when the settings ask for it,
// then every selected row top to bottom; a refused or failed line does not stop the others.
// False when nothing ran (no row selected, No, or the password refused).
bool reverseSelectedRows(FlexGrid &grid, MovementFlag kind, const RowReversal &step, ReversedRows rows,
                         QWidget *owner);

} // namespace stock
