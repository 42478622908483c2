#include "DocumentButtons.h"

#include "reports/FrmPrint.h"
#include "shell/FrmMain.h"
#include "shell/ModBase.h"
#include "shell/ReportHandOff.h"
#include "stock/MovementLines.h"
#include "stock/OutLineReversal.h"
#include "stock/ReversalRun.h"
#include "widgets/FlexGrid.h"
#include "widgets/WaitCursor.h"

#include <QPushButton>

namespace issues {

namespace {

void undoLines(const DocumentButtons &b)
{
    try {
        if (stock::reverseSelectedRows(*b.lines, b.flag, stock::outRowReversal(*b.lines), stock::ReversedRows::Keep,
                                       b.window))
            b.afterUndo();
    } catch (...) {
        ModBase::ShowErr();
    }
}

// False when the document has no line to print.
bool handOff(const DocumentButtons &b)
{
    if (b.print->Rows() < 2 || b.print->Cols() < 2)
        return false;
    handOffReport({firstColumns(b.print->snapshot(), stock::ReportPrintedColumns),
                   QStringLiteral("单号“%1”试剂%2报表").arg(b.number()).arg(stock::kindWord(b.flag)),
                   b.flag == stock::Scrap ? ReportKind::RegBS : ReportKind::RegOut, ModBase::PrintTotal});
    return true;
}

void printLines(const DocumentButtons &b)
{
    try {
        {
            const WaitCursor wait;
            if (!handOff(b))
                return;
            ModBase::SetStatus(QStringLiteral("正在准备打印输出"), true);
        }
        reports::ShowPreview(b.window);
    } catch (...) {
        ModBase::SetStatus(QString());
        ModBase::ShowErr();
        return;
    }
    ModBase::SetStatus(QString());
}

} // namespace

void connectDocumentButtons(const DocumentButtons &buttons)
{
    QObject::connect(buttons.lines, &FlexGrid::Click, buttons.window, [b = buttons] {
        if (b.lines->Rows() >= 2)
            b.undo->setEnabled(true);
    });
    QObject::connect(buttons.undo, &QPushButton::clicked, buttons.window, [b = buttons] { undoLines(b); });
    QObject::connect(buttons.printButton, &QPushButton::clicked, buttons.window, [b = buttons] { printLines(b); });
}

void switchIssueWindow(const QString &name)
{
    FrmMain *main = FrmMain::instance();
    if (!main)
        return;
    main->UnloadForms();
    main->openChild(name);
}

} // namespace issues
