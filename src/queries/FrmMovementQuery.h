#pragma once

#include "MovementQueryKind.h"
#include "MovementSearch.h"
#include "shell/ReportHandOff.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>

class DateRangeSelector;
class DropDownCombo;
class FlexGrid;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The receipt, issue and scrap queries: lines of one movement flag found by document
// number, invoice number (receipts) or period with filters, as a detail or a summary
// report, printed through the preview and exported. The kind says what sets them apart.
class FrmMovementQuery : public QWidget {
    Q_OBJECT

public:
    const queries::MovementQueryKind &kind() const { return m_kind; }
    // The last search's report: its title, kind and total (the grid is taken at print).
    const ReportHandOff &report() const { return m_report; }

    // Shows the lines of a detail statement, or the rows of a summary statement, in GridQ
    // and leaves the report's kind and total for the preview.
    void DoQuery(const queries::Statement &statement);
    void DoQueryHZ(const queries::Statement &statement);

    // A filter combo box by its name (CmbGYS, CmbZB, CmbRLBM, CmbCS, CmbSJDM); null when
    // the kind has none of that name.
    DropDownCombo *filter(const QString &name) const;

    DropDownCombo *CmbDH = nullptr;
    DropDownCombo *CmbFPH = nullptr; // receipts only
    DateRangeSelector *DateRange = nullptr;
    QCheckBox *Chorder = nullptr;
    std::array<QRadioButton *, 2> OptKind{};
    QPushButton *CmdQ = nullptr;
    QPushButton *CmdDH = nullptr;
    QPushButton *CmdPrint = nullptr;
    QPushButton *CmdHelp = nullptr;
    QLabel *LabTip = nullptr;
    FlexGrid *GridQ = nullptr;

protected:
    FrmMovementQuery(const queries::MovementQueryKind &kind, QWidget *parent);

private:
    void build();
    QWidget *buildLookUps();
    QWidget *buildSearch();
    QWidget *buildButtons();
    void connectLists();
    void showResult(const queries::Statement &statement, const QList<int> &widths, int amountColumn,
                    const QString &kind);
    void CmdQ_Click();
    void CmbDH_Change();
    void CmbFPH_Change();
    void Chorder_Click();
    void CmdPrint_Click();
    void CmdDH_Click();

    void handOff();

    const queries::MovementQueryKind &m_kind;
    ReportHandOff m_report;
    QList<DropDownCombo *> m_filters; // in the order of the kind's filters
};
