#pragma once

#include <QString>
#include <QVariantList>
#include <QWidget>

class DateRangeSelector;
class DropDownCombo;
class EntryFilter;
class FlexGrid;
class QPushButton;

// The receipt reversal window: receipt lines already saved, found by document number, by
// invoice number or by period, group and name, and taken back row by row.
class FrmCancelIn : public QWidget {
    Q_OBJECT

public:
    explicit FrmCancelIn(QWidget *parent = nullptr);

    // Shows in GridQ the receipt lines that meet the conditions and order of `tail`.
    void DoQuery(const QString &tail, const QVariantList &params);

    DropDownCombo *CmbDH = nullptr;
    DropDownCombo *CmbFPH = nullptr;
    DateRangeSelector *DateRange = nullptr;
    DropDownCombo *CmbZB = nullptr;
    DropDownCombo *CmbSJDM = nullptr;
    QPushButton *CmdQ = nullptr;
    QPushButton *CmdChData = nullptr;
    QPushButton *CmdHelp = nullptr;
    FlexGrid *GridQ = nullptr;

private:
    void build();
    void CmbDH_Change();
    void CmbFPH_Change();
    void CmdQ_Click();
    void CmdChData_Click();

    EntryFilter *m_entry = nullptr;
};
