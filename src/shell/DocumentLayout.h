#pragma once

#include <QString>

#include <initializer_list>

class FlexGrid;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// Pieces of layout the document windows (receipt, issue, batch issue, scrap) share.
namespace documentlayout {

// The entry frame Frame1 under its title.
QGroupBox *entryFrame(const QString &title, QWidget *window);

// The save button CmdSave of the entry frame: Enter on it saves the line.
QPushButton *saveButton(const QString &caption, QWidget *frame);

// The grid of the document's lines under its object name.
FlexGrid *linesGrid(const char *name, QWidget *window);

// The window from top to bottom: the entry frame with the pick side taking the width left,
// the lower bar, the lines. The upper part and the lines share the height by their
// stretches.
void stackWindow(QWidget *window, QGroupBox *entry, QWidget *side, QHBoxLayout *bar, FlexGrid *lines,
                 int topStretch, int linesStretch);
void stackWindow(QWidget *window, QGroupBox *entry, QLayout *side, QHBoxLayout *bar, FlexGrid *lines,
                 int topStretch, int linesStretch);

// The tip on the document shown, LabTip: how many lines it holds and their amount.
QLabel *documentTip(QWidget *window);

// The hidden grid GridP the print hands its columns to the report from.
FlexGrid *printGrid(QWidget *window);

// The help button CmdHelp, "？", of a window's lower bar.
QPushButton *helpButton(QWidget *parent);

// The tab order through the widgets in turn.
void chainTabs(std::initializer_list<QWidget *> widgets);

// The buttons take the focus only when clicked: Tab passes them by and Enter runs on
// through the fields.
void clickFocusOnly(std::initializer_list<QPushButton *> buttons);

// The bar between the entry and the lines: the tip on the document shown stretching at the
// left, then the buttons. The buttons take the focus only when clicked, so Tab and Enter
// stay in the fields.
QHBoxLayout *lowerBar(QLabel *tip, std::initializer_list<QPushButton *> buttons);

// The unit box TxtDW inside the right end of the quantity field, kept there as the field
// resizes.
QLineEdit *addUnitBox(QComboBox *quantity);

// The row of shortcut buttons over a pick list, to its left, each taking the focus only
// when clicked.
QHBoxLayout *shortcutRow(std::initializer_list<QPushButton *> buttons);

} // namespace documentlayout
