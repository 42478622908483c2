#pragma once

#include "stock/MovementFlag.h"

#include <QString>

#include <functional>

class FlexGrid;
class QPushButton;
class QWidget;

namespace issues {

// The buttons under the lines of an issue or scrap document window. A click on a filled
// lines grid enables the undo button; undo reverses the selected lines (one question, the
// password once, then each line top to bottom) and calls `afterUndo`, which refreshes the
// window and disables the button again; print hands the print grid's ten printed columns
// to the preview as the document's report ("单号“…”试剂出库报表", RegOut, or 报损, RegBS)
// with the total of the last refresh, and does nothing for a document without lines.
// Failures show the common error box.
struct DocumentButtons {
    QWidget *window = nullptr;
    stock::MovementFlag flag = stock::Issue; // Issue or Scrap
    FlexGrid *lines = nullptr;               // 登记ID in column 0, 试剂ID in column 1
    FlexGrid *print = nullptr;
    QPushButton *undo = nullptr;
    QPushButton *printButton = nullptr;
    std::function<qint64()> number;     // the document shown
    std::function<void()> afterUndo;
};
void connectDocumentButtons(const DocumentButtons &buttons);

// The issue windows replace each other: every business window closes, this one with them,
// and the named window opens in the main window.
void switchIssueWindow(const QString &name);

} // namespace issues
