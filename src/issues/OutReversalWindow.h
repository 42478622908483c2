#pragma once

#include "stock/MovementFlag.h"

#include <QString>
#include <QVariantList>
#include <QWidget>

class DateRangeSelector;
class DropDownCombo;
class EntryFilter;
class FlexGrid;
class QPushButton;

// What sets the issue reversal window apart from the scrap reversal window: the movement
// flag it lists and reverses, its captions and its help.
struct OutReversalKind {
    stock::MovementFlag flag;
    const char *name;      // the window's objectName
    QString caption;
    QString numberFrame;   // the frame and label of the document number
    QString numberLabel;
    QString searchFrame;   // the frame of the period and filters
    QString upkeepFrame;   // the frame of the reversal button
    QString reverseButton;
    QString hints;
    QString helpTopic;
    QString helpPage;
};

// The window that finds issue or scrap lines, by document number or by period with
// department, group and name, and takes back the lines selected in its grid.
class OutReversalWindow : public QWidget {
    Q_OBJECT

public:
    // Shows in GridQ the lines of the window's flag that meet the conditions and order of
    // `tail`.
    void DoQuery(const QString &tail, const QVariantList &params);

    DropDownCombo *CmbDH = nullptr;
    DateRangeSelector *DateRange = nullptr;
    DropDownCombo *CmbRLBM = nullptr;
    DropDownCombo *CmbZB = nullptr;
    DropDownCombo *CmbSJDM = nullptr;
    QPushButton *CmdQ = nullptr;
    QPushButton *CmdChData = nullptr;
    QPushButton *CmdHelp = nullptr;
    FlexGrid *GridQ = nullptr;

protected:
    OutReversalWindow(const OutReversalKind &kind, QWidget *parent);

private:
    void build();
    void CmbDH_Change();
    void CmdQ_Click();
    void CmdChData_Click();

    const OutReversalKind &m_kind;
    EntryFilter *m_entry = nullptr;
};
