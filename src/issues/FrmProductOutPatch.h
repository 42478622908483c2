#pragma once

#include <QList>
#include <QWidget>

#include <array>

class DatePicker;
class DocumentFields;
class EntryFilter;
class FlexGrid;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The batch issue: every line of one receipt document issued at once, whole, to one
// department and claimant, joining the issue document the regular issue window shares.
class FrmProductOutPatch : public QWidget {
    Q_OBJECT

public:
    explicit FrmProductOutPatch(QWidget *parent = nullptr);
    ~FrmProductOutPatch() override;

    // The current issue number into OutDH and the number field; NewDH asks for the next.
    void GetDH(bool NewDH);
    // The lines of issue document OutDH, their count and total, and the print grid.
    void ShowLastOut();
    // Department and claimant of the latest issue line.
    void GetPreRLXX();
    // Takes the pick list's current department or claimant into its field.
    void TipGet();
    // Every listed receipt line still has its whole lot; otherwise the list's current row
    // is the first line without one.
    bool CanOut();

    QGroupBox *Frame1 = nullptr;
    std::array<QComboBox *, 3> CmbField{};
    DatePicker *DTPrq = nullptr;
    std::array<QLabel *, 4> lblLabels{};
    std::array<QLabel *, 4> Label1{};
    std::array<QPushButton *, 2> CmdAdd{};
    QComboBox *CmbDH = nullptr;
    FlexGrid *GridTip = nullptr;
    QPushButton *CmdRLBM = nullptr;
    QPushButton *CmdRLR = nullptr;
    QPushButton *CmdSave = nullptr;
    QPushButton *CmdNewDH = nullptr;
    FlexGrid *GridOut = nullptr;
    QLabel *LabTip = nullptr;
    FlexGrid *GridP = nullptr;
    QPushButton *CmdPrint = nullptr;
    QPushButton *CmdChData = nullptr;
    QPushButton *CmdCGCK = nullptr;
    QPushButton *CmdHelp = nullptr;

private:
    void build();
    void buildFrame1();
    void buildFields();
    void fillReceiptNumbers();
    void load();

    void CmbDH_Change();
    void CmdSave_Click();
    bool checkFields();
    void saveBatch();
    void refuseWhole();
    // Makes the receipt line of that row the list's current row, shown across the row.
    void showCurrentLine(int row);
    void CmdNewDH_Click();
    void CmdHelp_Click();
    // The 登记ID of every listed receipt line, in list order.
    QList<qint64> receiptLines() const;

    DocumentFields *m_fields = nullptr;
    EntryFilter *m_entry = nullptr;
};
