#pragma once

#include <array>
#include <initializer_list>
#include <span>

class DatePicker;
class FlexGrid;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace issues {

// The controls every document window makes alike, in `parent`: the entry fields
// CmbField_0, CmbField_1, ... (editable, taking typed text only), the date picker DTPrq, the
// new-number button CmdNewDH and the picker buttons CmdAdd_0 (departments) and CmdAdd_1
// (claimants).
void makeDocumentControls(QWidget *parent, std::span<QComboBox *> fields, DatePicker *&date,
                          QPushButton *&newNumber, std::array<QPushButton *, 2> &pickers);

// The spinner UpDownSL beside the quantity field: clicked only, Tab passes it by.
QSpinBox *quantitySpinner(QWidget *frame);

// A row of the entry frame: its caption, the control and the button beside it, if any.
struct DocumentRow {
    const char *caption;
    QWidget *control;
    QWidget *beside = nullptr;
};

// The rows into the entry frame's grid, one under the other from the top: the caption
// lblLabels_i, the control, the red required marker Label1_i and the button beside it.
// The captions and markers are made in the grid's widget and handed back for the window
// to hide with a field it hides.
void addDocumentRows(QGridLayout *grid, std::span<const DocumentRow> rows, std::span<QLabel *> captions,
                     std::span<QLabel *> markers);

// Lays out the right-hand frame of a window that takes from lots: the row of shortcut
// buttons, under it the pick list GridTip, at its foot the low-stock tip lblTipLKC in red.
// The list and the tip are made in the frame.
void fillLotFrame(QGroupBox *frame, std::initializer_list<QPushButton *> shortcuts, FlexGrid *&pickList,
                  QLabel *&tip);

} // namespace issues
