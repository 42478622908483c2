#pragma once

#include "platform/Convert.h"

#include <QWidget>

#include <array>

namespace queries {
struct LotCondition;
}

class DropDownCombo;
class EntryFilter;
class FlexGrid;
class QCloseEvent;
class QLabel;
class QPushButton;

// The stock query: the lots of the store (all, expiring, expired, of a group, a
// manufacturer, a supplier or a reagent name), coloured by expiry and totalled, and the
// reagents whose stock is low or high.
class FrmQInventory : public QWidget {
    Q_OBJECT

public:
    explicit FrmQInventory(QWidget *parent = nullptr);

    // Shows, colours and totals the lots of the condition under the report title.
    void DoQuery(const QString &title, const queries::LotCondition &condition);

    std::array<QPushButton *, 6> CmdQyIm{};
    DropDownCombo *CmbCS = nullptr;
    DropDownCombo *CmbGYS = nullptr;
    DropDownCombo *CmbSJDM = nullptr;
    QPushButton *CmdPrint = nullptr;
    QPushButton *CmdDH = nullptr;
    QPushButton *CmdHelp = nullptr;
    QLabel *LabTip = nullptr;
    FlexGrid *GridQ = nullptr;

protected:
    // The group menu's items go with the window as it closes, before another window loads its own.
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void loadGroupMenu();
    void CmdQyIm_Click(int index);
    void combo_Change(DropDownCombo *combo);
    void group_Click(const QString &caption);
    void QueryReagents(bool low);
    void CmdPrint_Click();
    void CmdDH_Click();

    EntryFilter *m_entry = nullptr;
    QMetaObject::Connection m_groupClick; // the group menu's items to this window
    QString m_title;                       // of the list shown
    platform::convert::Currency m_total{}; // of the last lot list
};
