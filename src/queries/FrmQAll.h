#pragma once

#include "LedgerMoney.h"

#include <QWidget>

#include <array>
#include <functional>

class DatePicker;
class EntryFilter;
class FlexGrid;
class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
struct GridSnapshot;

// The reagent ledger: one report at a time in GridShow over the period of the two pickers
// (the period summary, the overview, the stocktaking list and the issue and scrap amounts
// by department or claimant), exported as an Excel-named document.
class FrmQAll : public QWidget {
    Q_OBJECT

public:
    explicit FrmQAll(QWidget *parent = nullptr);

    // Appends the "总计：" row: each column from 1 on summed over the data rows, every
    // non-empty cell rewritten with two decimals. A grid without data rows stays as it is.
    static void CountGrid(FlexGrid *grid);

    // The title of the report on show; the export names its file after it.
    QString ReportTitle() const { return m_title; }

    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QGroupBox *Frame5 = nullptr;
    std::array<QPushButton *, 6> CmdQAll{};
    QPushButton *CmdHZ = nullptr;
    std::array<QLabel *, 4> lblLabels{}; // 2 and 3 label the pickers
    std::array<DatePicker *, 2> DTPrq{};
    QPushButton *CmdExport = nullptr;
    QPushButton *CmdHelp = nullptr;
    FlexGrid *GridShow = nullptr;
    QFrame *PicState = nullptr;
    QLabel *LblState = nullptr;

protected:
    // The menus' items go with the window as it closes, before another window loads its own.
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void loadMenus();
    void CmdHZ_Click();
    void CmdQAll_Click(int index);
    void CmdExport_Click();
    // The range check before every report; false after the refusal was shown.
    bool startReport();
    queries::Period period() const;
    // Runs a report on the window's error path: a failure shows the error box and leaves
    // the grid drawing, with the progress bar hidden.
    void runReport(const std::function<void()> &report);
    void showReport(const GridSnapshot &grid, const QString &title, int exportFirstCol);
    void stocktakingList();
    void crosstab(int index);
    void setProgress(int done, int total);

    EntryFilter *m_entry = nullptr;
    QString m_title;
    int m_exportFirstCol = 0;
};
