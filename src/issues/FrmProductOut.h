#pragma once

#include <QWidget>

#include <array>

class DatePicker;
class DocumentFields;
class EntryFilter;
class FlexGrid;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace issues {
struct LowStock;
}

// The regular issue document: reagents handed to a claiming department and claimant, one
// lot per line, the lines of one document sharing its number.
class FrmProductOut : public QWidget {
    Q_OBJECT

public:
    explicit FrmProductOut(QWidget *parent = nullptr);
    ~FrmProductOut() override;

    // The current document number into OutDH and the number field; NewDH asks for the next.
    void GetDH(bool NewDH);
    // The lines of document OutDH, their count and total, and the print grid.
    void ShowLastOut();
    // Department and claimant of the latest issue line.
    void GetPreRLXX();
    // Takes the pick list's current record into the field of its kind.
    void TipGet();

    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame3 = nullptr;
    std::array<QComboBox *, 6> CmbField{};
    DatePicker *DTPrq = nullptr;
    QSpinBox *UpDownSL = nullptr;
    QLineEdit *TxtDW = nullptr;
    std::array<QLabel *, 7> lblLabels{};
    std::array<QLabel *, 7> Label1{};
    std::array<QPushButton *, 2> CmdAdd{};
    QPushButton *CmdRLBM = nullptr;
    QPushButton *CmdRLR = nullptr;
    QPushButton *CmbGZBSJ = nullptr;
    QPushButton *CmdQBSJ = nullptr;
    FlexGrid *GridTip = nullptr;
    QLabel *lblTipLKC = nullptr;
    QPushButton *CmdNewDH = nullptr;
    QPushButton *CmdSave = nullptr;
    FlexGrid *GridOut = nullptr;
    QLabel *LabTip = nullptr;
    QPushButton *CmdChData = nullptr;
    QPushButton *CmdPrint = nullptr;
    FlexGrid *GridP = nullptr;
    QPushButton *CmdPLCK = nullptr;
    QPushButton *CmdHelp = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void buildFrame1();
    void buildFields();
    void load();
    void loadGroupMenu();

    void CmdSave_Click();
    bool checkLine();
    void saveLine();
    void CmdNewDH_Click();
    void CmbGZBSJ_Click();
    void CmdQBSJ_Click();
    void CmdHelp_Click();
    QList<QComboBox *> fields() const;
    void showTip(const issues::LowStock &tip, const QString &reagent);

    DocumentFields *m_fields = nullptr;
    EntryFilter *m_entry = nullptr;
};
