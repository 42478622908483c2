#pragma once

#include <QWidget>

#include <array>

class EntryFilter;
class FlexGrid;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The purchase-order window: proposes what to buy from the issue history and the stock,
// lets the user correct, tick, delete and add lines, saves the grid as an order, reloads
// saved orders and prints the ticked lines.
class FrmProductPO : public QWidget {
    Q_OBJECT

public:
    explicit FrmProductPO(QWidget *parent = nullptr);
    ~FrmProductPO() override;

    QSize sizeHint() const override;

    void FillGYS();
    // The proposal of the chosen period, group and supplier into the order grid.
    void MakeIndent();
    // The total of the ticked lines into PrintTotal and the totals line.
    void CountTotal();
    void AddRow();
    void DeleteRow();
    void SaveIndent();
    void PrintIndent();
    // The ticked lines, columns 0 to 8, into the print copy Grid2.
    void CopyGrid();
    void AddPrintCol();

    std::array<QComboBox *, 3> CmbField{};
    std::array<QComboBox *, 2> CmbGYS{};
    std::array<QPushButton *, 5> CmdIndent{};
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    FlexGrid *GridIndent = nullptr;
    FlexGrid *Grid2 = nullptr;
    QLineEdit *TxtEdit = nullptr;
    QFrame *PicState = nullptr;
    QLabel *LblState = nullptr;
    QLabel *LabTip = nullptr;
    QTimer *TLoad = nullptr;
    QPushButton *CmdHelp = nullptr;

    qint16 PeriodDays = 0;
    float PeriodFactor = 0;
    QString GroupFilter;
    int EditRow = 0;
    int EditCol = 0;
    bool TotalsDirty = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void TLoad_Timer();
    void CmbField_Click(int index);
    void CmbGYS_Click(int index);
    void CmdIndent_Click(int index);
    void CmdIndent0_Click();
    void loadOrder();
    void fillOrders();
    void setWidths();
    void setProgress(int width); // in twips
    // The current cell of the grid: the tick column toggles, an editable column gets the
    // floating editor.
    void GridIndent_Click();
    void TxtEdit_Key(int key);
    void commitEdit();

    EntryFilter *m_entry = nullptr;
    bool m_committing = false;
    double m_twipsScale = 1; // the progress bar moves once a reagent: its font measured once
};
