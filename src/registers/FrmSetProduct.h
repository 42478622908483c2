#pragma once

#include "FrmSetProductRecord.h"
#include "FrmSetProductSearch.h"

#include <QWidget>

#include <array>

class FlexGrid;
class LookUp;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTimer;

// The reagent catalogue: the list with its searches and export, the entry frame that adds,
// edits, copies and deletes a reagent, and the stock limits of all reagents. In pick mode a
// double-click on an active reagent hands it to the open receipt window.
class FrmSetProduct : public QWidget {
    Q_OBJECT

public:
    explicit FrmSetProduct(QWidget *parent = nullptr);

    // The size the window was laid out for; its controls stand where they were placed.
    QSize sizeHint() const override;

    // Lists every reagent under the disabled-reagent filter, the export with it, and
    // empties the entry frame into add mode.
    void RefreshShow();
    // The hidden export grid shows the query.
    void OutDataShow(const registers::CatalogueFilter &filter);
    // Takes the look-up list's current record into its field, or offers a typed name that
    // its register lacks.
    void TipGet();
    // Writes LowLimit and HighLimit into every reagent.
    void SetGDX();

    QGroupBox *FamSet = nullptr;
    std::array<QComboBox *, registers::ProductEntry::FieldCount> CmbField{};
    QCheckBox *CheTY = nullptr;
    std::array<QPushButton *, 6> CmdSet{};
    std::array<QPushButton *, 3> CmdAdd{};

    QGroupBox *Frame1 = nullptr;
    QComboBox *CmbSJDM = nullptr;
    QComboBox *CmbZB = nullptr;
    std::array<QRadioButton *, 2> OptShow{};
    QPushButton *CmdPrint = nullptr;
    QPushButton *CmdHelp = nullptr;

    FlexGrid *GridShow = nullptr;
    FlexGrid *GridOut = nullptr;
    FlexGrid *GridTip = nullptr;
    QTimer *TLoad = nullptr;
    QTimer *Timer1 = nullptr;

    bool AddMode = true;
    qint32 EditID = 0;
    bool StopFilter = false; // disabled reagents are hidden
    registers::CatalogueFilter OutSQL;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildEntryFrame();
    void buildSearchFrame();
    void TLoad_Timer();
    void applyColumnWidths();
    void showList(const registers::CatalogueFilter &filter);
    void setAddMode();
    void OptShow_Click(int index);
    void CmbSJDM_Change();
    void CmbZB_Change();
    void search(QComboBox *other, const registers::CatalogueFilter &filter);
    void CmbField_Change(int index);
    void GridShow_Click(int row);
    void GridShow_DblClick(int row);
    void CmdAdd_Click(int index);
    void CmdSet_Click(int index);
    void SaveRecord();
    void DeleteRecord();
    void CopyRecord();
    void SetLimits();
    registers::ProductEntry entry() const;
    void updateEditedRow();

    LookUp *m_lookUp = nullptr;
    bool m_shown = false;
};
