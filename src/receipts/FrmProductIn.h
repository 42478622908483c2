#pragma once

#include "platform/Convert.h"
#include "shell/ReagentPickTarget.h"

#include <QWidget>

#include <array>

class DatePicker;
class EntryFilter;
class FlexGrid;
class LookUp;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The receipt document: goods arriving from a supplier, one line at a time, each line a
// movement record and a new stock lot.
class FrmProductIn : public QWidget, public ReagentPickTarget {
    Q_OBJECT

public:
    explicit FrmProductIn(QWidget *parent = nullptr);
    ~FrmProductIn() override;

    // The current document number into InDH and the number field; NewDH asks for the next.
    void GetDH(bool NewDH);
    // The lines of document InDH, their count and total, and the print grid.
    void ShowLastIn();
    // The supplier and storage place of the latest receipt line.
    void GetPreGYS();
    // Takes the pick list's current record into the field of its kind.
    void TipGet();
    void PickReagent(qint32 reagentId, const QString &name, const QString &unit) override;
    // Leaves the current document in the report hand-off (kind "RegIn"); false when it has
    // no lines.
    bool PrintHandOff();

    QGroupBox *Frame1 = nullptr;
    std::array<DatePicker *, 2> DTPrq{};
    std::array<QComboBox *, 8> CmbField{};
    QLineEdit *TxtDW = nullptr;
    QPushButton *CmdNewDH = nullptr;
    std::array<QPushButton *, 3> CmdAdd{};
    QPushButton *CmdSave = nullptr;
    QPushButton *CmbCYGYS = nullptr;
    QPushButton *CmdQBGYS = nullptr;
    QPushButton *CmbGZBSJ = nullptr;
    QPushButton *CmdQBSJ = nullptr;
    FlexGrid *GridTip = nullptr;
    FlexGrid *GridIn = nullptr;
    FlexGrid *GridP = nullptr;
    QLabel *LabTip = nullptr;
    QPushButton *CmdChData = nullptr;
    QPushButton *CmdPrint = nullptr;
    QPushButton *CmdHelp = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void buildLookUps();
    void load();
    void loadGroupMenu();

    void CmdSave_Click();
    bool checkLine();
    void saveLine();
    void CmdNewDH_Click();
    void CmbCYGYS_Click();
    void CmdQBGYS_Click();
    void CmbGZBSJ_Click();
    void CmdQBSJ_Click();
    void CmdAdd_Click(int index);
    void CmdChData_Click();
    void CmdHelp_Click();
    void DTPrq0_Leave();
    void takeProduct(const QStringList &row);
    void clearPrice();

    LookUp *m_lookUp = nullptr;
    EntryFilter *m_entry = nullptr;
    platform::convert::Currency m_total; // of the lines ShowLastIn read, for the report
};
