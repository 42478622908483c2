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

// The scrap document: stock lots written off as expired, spoiled or damaged, one lot per
// line with a reason, the lines of one document sharing its number.
class FrmProductScrap : public QWidget {
    Q_OBJECT

public:
    explicit FrmProductScrap(QWidget *parent = nullptr);
    ~FrmProductScrap() override;

    // Takes the pick list's current record into the field of its kind.
    void TipGet();
    // The current document number into BSDH and the number field; NewDH asks for the next.
    void GetDH(bool NewDH);
    // The lines of document BSDH, their count and total, and the print grid.
    void ShowLastBS();
    // Department and claimant of the latest scrap line.
    void GetPreRLXX();

    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame3 = nullptr;
    std::array<QComboBox *, 7> CmbField{};
    DatePicker *DTPrq = nullptr;
    QSpinBox *UpDownSL = nullptr;
    QLineEdit *TxtDW = nullptr;
    std::array<QPushButton *, 2> CmdAdd{};
    QPushButton *CmdRLBM = nullptr;
    QPushButton *CmdRLR = nullptr;
    QPushButton *CmdQYGQ = nullptr;
    QPushButton *CmdQJGQ = nullptr;
    FlexGrid *GridTip = nullptr;
    QLabel *lblTipLKC = nullptr;
    QPushButton *CmdNewDH = nullptr;
    QPushButton *CmdSave = nullptr;
    FlexGrid *GridOut = nullptr;
    QLabel *LabTip = nullptr;
    QPushButton *CmdChData = nullptr;
    QPushButton *CmdPrint = nullptr;
    FlexGrid *GridP = nullptr;
    QPushButton *CmdHelp = nullptr;

private:
    void build();
    void buildFrame1();
    void buildFields();
    void load();

    void CmdSave_Click();
    bool checkLine();
    void saveLine();
    void CmdNewDH_Click();
    void CmdQYGQ_Click();
    void CmdQJGQ_Click();
    void CmdHelp_Click();

    DocumentFields *m_fields = nullptr;
    EntryFilter *m_entry = nullptr;
};
