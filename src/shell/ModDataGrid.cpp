#include "ModDataGrid.h"

#include "ModBase.h"
#include "ModData.h"
#include "dao/Recordset.h"
#include "widgets/FlexGrid.h"
#include "widgets/WaitCursor.h"

#include <QComboBox>

namespace ModData {
namespace {

const QString kUp = QStringLiteral("↑");
const QString kDown = QStringLiteral("↓");

} // namespace

void FillCombo(QComboBox *combo, const QString &sql, bool addBlank)
{
    combo->clear();
    if (addBlank)
        combo->addItem(QString());
    try {
        ModBase::SQL = sql;
        OpenRS();
        dao::Recordset *rs = ModBase::RS();
        if (rs && rs->recordCount() > 0) {
            const WaitCursor wait;
            for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
                const QString text = rs->field(0).toString();
                if (!text.isEmpty())
                    combo->addItem(text);
            }
        }
    } catch (...) {
        ModBase::ShowErr();
    }
}

void SortGrid(FlexGrid *grid, double y)
{
    if (grid->Rows() < 2 || !(grid->RowPos(0) <= y && grid->RowPos(1) > y))
        return;
    const int col = grid->Col();
    const QString tag = grid->Tag();
    bool ok = false;
    const int previous = tag.toInt(&ok);
    if (!tag.isEmpty() && ok && previous != col && previous >= 0 && previous < grid->Cols()) {
        QString text = grid->TextMatrix(0, previous);
        if (text.endsWith(kUp) || text.endsWith(kDown))
            grid->setTextMatrix(0, previous, text.left(text.size() - 1));
    }
    QString header = grid->TextMatrix(0, col);
    if (header.endsWith(kUp)) {
        grid->Sort(col, Qt::AscendingOrder);
        header.chop(1);
        header += kDown;
    } else if (header.endsWith(kDown)) {
        grid->Sort(col, Qt::DescendingOrder);
        header.chop(1);
        header += kUp;
    } else {
        grid->Sort(col, Qt::DescendingOrder);
        header += kUp;
    }
    grid->setTextMatrix(0, col, header);
    grid->setTag(QString::number(col));
}

void ResetGrid(FlexGrid *grid)
{
    grid->setCols(1);
    grid->setRows(2);
    grid->setColWidth(0, 1080);
    grid->Clear();
    grid->setTag(QString());
}

} // namespace ModData
