#pragma once

#include "dao/Row.h"

#include <QList>
#include <QString>
#include <QVariantList>

#include <functional>
#include <initializer_list>

class DateRangeSelector;
class DropDownCombo;
class FlexGrid;
class QComboBox;
class QGroupBox;
class QPushButton;
class QWidget;

// Pieces of layout and search the reversal windows (receipt, issue and scrap reversal)
// share; what each window searches by and lists stays in the window.
namespace reversallayout {

// The order the lines are listed in: group, name, then the day they were written.
QString lineOrder();

// A frame holding one drop-down after its label.
struct ComboFrame {
    QGroupBox *frame;
    DropDownCombo *combo;
};
ComboFrame lookUpFrame(const QString &title, const QString &label, const char *name, QWidget *window);

// The frame of the document number CmbDH: whole numbers only.
ComboFrame numberFrame(const QString &title, const QString &label, QWidget *window);

// Runs `search` each time the text of `combo` is typed or picked.
void searchAsTyped(DropDownCombo *combo, QWidget *window, const std::function<void()> &search);

// The frame of the period DateRange at the left and the filters, each after its label, one
// under the other, with the search button CmdQ under them.
struct Filter {
    const char *name;
    QString label;
};
struct Search {
    QGroupBox *frame;
    DateRangeSelector *range;
    QList<DropDownCombo *> filters;
    QPushButton *button;
};
Search searchFrame(const QString &title, std::initializer_list<Filter> filters, QWidget *window);

// The frame of the reversal button CmdChData and the help button, the hints under them.
struct Upkeep {
    QGroupBox *frame;
    QPushButton *reverse;
    QPushButton *help;
};
Upkeep upkeepFrame(const QString &title, const QString &reverseCaption, const QString &hints, QWidget *window);

// Lays the window out: the look-up frames stacked at the left, the search frame, the upkeep
// frame taking the width left; under them the grid GridQ taking the height left. The
// reversal button waits for a line of the grid to be clicked.
FlexGrid *arrange(QWidget *window, std::initializer_list<QGroupBox *> lookUps, const Search &search,
                  const Upkeep &upkeep);

// The condition on `column` equal to the filter's text, when the filter holds any.
// Emptiness is judged before trimming: blanks alone look for an empty text and find nothing.
void addEqual(QString &tail, QVariantList &params, const QString &column, const QComboBox *filter);

// The condition on the reagent's name containing the filter's text, when it holds any.
void addNameContains(QString &tail, QVariantList &params, const QComboBox *filter);

// Fills the grid with the lines `read` returns, at the column widths given in twips, and
// leaves the reversal button waiting for a line to be clicked; a failure is shown.
void showLines(FlexGrid *grid, QPushButton *reverse, const std::function<dao::Result()> &read,
               const QList<int> &widths);

} // namespace reversallayout
