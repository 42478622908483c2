#include "ReversalRun.h"

#include "platform/Dialogs.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "widgets/FlexGrid.h"

namespace stock {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

bool confirmRun(int first, int last, MovementFlag kind, QWidget *owner)
{
    const QString rows = first == last ? QStringLiteral("第%1").arg(first) : QStringLiteral("%1 ～ %2").arg(first).arg(last);
    if (platform::msgBox(QStringLiteral("确定撤消") + rows + QStringLiteral("行") + kindWord(kind) + QStringLiteral("记录？"),
                         Buttons::YesNo, Icon::Question, QString(), owner, Answer::No) != Answer::Yes)
        return false;
    if (ModBase::PSWProtect && !ModData::CheckPSW()) {
        platform::msgBox(QStringLiteral("密码不符！取消操作"), Buttons::Ok, Icon::Exclamation, QStringLiteral("警告！"),
                         owner);
        return false;
    }
    return true;
}

} // namespace

bool reverseRow(const RowReversal &step, int row, QWidget *owner)
{
    try {
        dao::Database &db = ModData::database();
        ReversalResult result = step(db, row, false);
        if (result.outcome == ReversalResult::Ask) {
            if (platform::msgBox(result.message, Buttons::YesNo, Icon::Question, QString(), owner, Answer::Yes) !=
                Answer::Yes)
                return false;
            result = step(db, row, true);
        }
        if (result.outcome == ReversalResult::Refused)
            platform::msgBox(result.message, Buttons::Ok, Icon::None, result.title, owner);
        return result.outcome == ReversalResult::Reversed;
    } catch (...) {
        ModBase::ShowErr();
        return false;
    }
}

std::pair<int, int> selectedRows(const FlexGrid &grid)
{
    // The header row is never a line to reverse.
    const int first = qMax(1, qMin(grid.Row(), grid.RowSel()));
    const int last = qMax(grid.Row(), grid.RowSel());
    return {first, last};
}

bool reverseSelectedRows(FlexGrid &grid, MovementFlag kind, const RowReversal &step, ReversedRows rows, QWidget *owner)
{
    auto [first, last] = selectedRows(grid);
    if (first > last || !confirmRun(first, last, kind, owner))
        return false;
    for (int i = first; i <= last; ++i) {
        if (!reverseRow(step, i, owner) || rows == ReversedRows::Keep)
            continue;
        // The rows below move up: the same row number comes next.
        if (grid.Rows() > 2)
            grid.RemoveItem(i);
        else
            grid.setRows(1);
        --i;
        --last;
    }
    return true;
}

} // namespace stock
