#include "FrmQAll.h"

#include "LedgerCrosstab.h"
#include "LedgerOverview.h"
#include "Stocktaking.h"
#include "dao/Database.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "reports/ExportGrid.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModDataGrid.h"
#include "shell/ReportHandOff.h"
#include "stock/MovementFlag.h"
#include "widgets/DatePicker.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"
#include "widgets/WaitCursor.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using queries::Currency;

constexpr int kTwipsPerPixel = 15;
constexpr int kProgressWidth = 3225; // twips

} // namespace

FrmQAll::FrmQAll(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmQAll"));
    setWindowTitle(QStringLiteral("试剂总帐"));
    build();
    m_entry = new EntryFilter(this);
    loadMenus();
    const queries::Period p = queries::previousMonth(ModBase::SysDate);
    DTPrq[0]->setDate(p.start);
    DTPrq[1]->setDate(p.end);
}

void FrmQAll::closeEvent(QCloseEvent *event)
{
    FrmPopMenu::instance().unloadItems();
    event->accept();
}

void FrmQAll::build()
{
    Frame1 = new QGroupBox(QStringLiteral("总帐查询"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    const QStringList captions{QStringLiteral("概况(&Q)"), QStringLiteral("试剂盘点"), QStringLiteral("出库"),
                               QStringLiteral("报损"), QStringLiteral("出库"), QStringLiteral("报损")};
    for (int i = 0; i < 6; ++i) {
        CmdQAll[i] = namedButton(QStringLiteral("CmdQAll_%1").arg(i), captions[i], Frame1);
        connect(CmdQAll[i], &QPushButton::clicked, this, [this, i] { CmdQAll_Click(i); });
    }
    const auto pair = [this](QGroupBox *&frame, const char *name, const QString &caption, int first) {
        frame = new QGroupBox(caption, Frame1);
        frame->setObjectName(QString::fromLatin1(name));
        auto *row = new QHBoxLayout(frame);
        for (int i = first; i < first + 2; ++i) {
            CmdQAll[i]->setParent(frame);
            row->addWidget(CmdQAll[i]);
        }
    };
    pair(Frame4, "Frame4", QStringLiteral("按认领部门汇总"), 2);
    pair(Frame5, "Frame5", QStringLiteral("按认领人汇总"), 4);

    CmdHZ = namedButton("CmdHZ", QStringLiteral("时段汇总"), Frame1);
    for (int i = 0; i < 2; ++i) {
        lblLabels[i + 2] = new QLabel(i == 0 ? QStringLiteral("起始日期:") : QStringLiteral("结束日期:"), Frame1);
        lblLabels[i + 2]->setObjectName(QStringLiteral("lblLabels_%1").arg(i + 2));
        DTPrq[i] = new DatePicker(Frame1);
        DTPrq[i]->setObjectName(QStringLiteral("DTPrq_%1").arg(i));
        DTPrq[i]->setMinimumWidth(DTPrq[i]->fontMetrics().horizontalAdvance(QStringLiteral("2026-12-31")) + 48);
        lblLabels[i + 2]->setBuddy(DTPrq[i]);
    }
    auto *dates = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
        dates->addWidget(lblLabels[i + 2], i, 0);
        dates->addWidget(DTPrq[i], i, 1);
    }
    auto *reports = new QVBoxLayout;
    reports->addWidget(CmdQAll[0]);
    reports->addWidget(CmdQAll[1]);
    auto *frameRow = new QHBoxLayout(Frame1);
    frameRow->addLayout(dates);
    frameRow->addWidget(CmdHZ);
    frameRow->addLayout(reports);
    frameRow->addWidget(Frame4);
    frameRow->addWidget(Frame5);

    CmdExport = namedButton("CmdExport", QStringLiteral("导出(&E)"), this);
    CmdExport->setToolTip(QStringLiteral("导出为HTML格式文档"));
    CmdHelp = namedButton("CmdHelp", QStringLiteral("？"), this);

    PicState = new QFrame(this);
    PicState->setObjectName(QStringLiteral("PicState"));
    PicState->setFrameShape(QFrame::Panel);
    PicState->setFrameShadow(QFrame::Sunken);
    PicState->setFixedSize(kProgressWidth / kTwipsPerPixel, 18);
    LblState = new QLabel(PicState);
    LblState->setObjectName(QStringLiteral("LblState"));
    LblState->setAutoFillBackground(true);
    QPalette bar = LblState->palette();
    bar.setColor(QPalette::Window, QColor(0, 0, 128));
    LblState->setPalette(bar);
    LblState->setGeometry(0, 0, 100 / kTwipsPerPixel, 18);
    PicState->hide();

    auto *side = new QVBoxLayout;
    side->addWidget(CmdExport);
    side->addWidget(CmdHelp);
    side->addWidget(PicState);
    side->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(Frame1);
    top->addLayout(side);
    top->addStretch();

    GridShow = new FlexGrid(this);
    GridShow->setObjectName(QStringLiteral("GridShow"));
    ModData::ResetGrid(GridShow);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(GridShow, 1);

    connect(CmdHZ, &QPushButton::clicked, this, [this] { CmdHZ_Click(); });
    connect(CmdExport, &QPushButton::clicked, this, [this] { CmdExport_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this,
            [] { platform::shell().showHelp(ModBase::HelpFile, QStringLiteral("::/5.htm#55")); });
    connect(GridShow, &FlexGrid::MouseUp, this,
            [this](Qt::MouseButton, int, int, double y) { ModData::SortGrid(GridShow, y); });
}

void FrmQAll::loadMenus()
{
    FrmPopMenu &pop = FrmPopMenu::instance();
    pop.unloadItems();
    pop.loadItem(pop.mnuHZ, 0, QStringLiteral("概况"));
    pop.loadItem(pop.mnuRKZB, 0, QStringLiteral("全部组别"));
    try {
        int i = 1;
        // A reagent without a group has no item of its own; "全部组别" lists it.
        for (const dao::Row &row :
             ModData::database().select(QStringLiteral("SELECT DISTINCT 组别 FROM shijijibenxinxi WHERE 组别 <> '' "
                                              "ORDER BY 组别 COLLATE ZH")).rows)
            pop.loadItem(pop.mnuRKZB, i++, row.text(0));
    } catch (...) {
        ModBase::ShowErr();
    }
}

bool FrmQAll::startReport()
{
    if (DTPrq[0]->date() > DTPrq[1]->date()) {
        platform::msgBox(QStringLiteral("起始日期不能大于结束日期！"), platform::Buttons::Ok, platform::Icon::None,
                         QString(), this);
        return false;
    }
    return true;
}

queries::Period FrmQAll::period() const
{
    return {DTPrq[0]->date(), DTPrq[1]->date()};
}

void FrmQAll::runReport(const std::function<void()> &report)
{
    try {
        const WaitCursor wait;
        report();
    } catch (...) {
        GridShow->setRedraw(true);
        PicState->hide();
        ModBase::ShowErr();
    }
}

void FrmQAll::showReport(const GridSnapshot &grid, const QString &title, int exportFirstCol)
{
    GridShow->setRedraw(false);
    GridShow->Fill(grid.header, grid.rows);
    for (int c = 0; c < grid.colWidths.size(); ++c)
        GridShow->setColWidth(c, grid.colWidths[c]);
    GridShow->setRedraw(true);
    m_title = title;
    m_exportFirstCol = exportFirstCol;
}

void FrmQAll::CmdHZ_Click()
{
    ModBase::SQL.clear();
    FrmPopMenu::popUp(FrmPopMenu::instance().mnuH);
    const QString choice = ModBase::SQL;
    if (choice.isEmpty() || !startReport())
        return;
    if (choice != QStringLiteral("概况"))
        return;
    runReport([this] {
        const queries::Period p = period();
        // No reset: the summary sets its own size, and the sort memory starts afresh.
        GridShow->setTag(QString());
        showReport(queries::periodSummary(ModData::database(), p), queries::reportTitle(p, queries::OverviewTitle), 0);
    });
}

void FrmQAll::CmdQAll_Click(int index)
{
    if (!startReport())
        return;
    ModData::ResetGrid(GridShow);
    m_title.clear();
    const queries::Period p = period();
    switch (index) {
    case 0:
        runReport([this, p] {
            showReport(queries::overview(ModData::database(), p), queries::reportTitle(p, queries::OverviewTitle), 0);
        });
        break;
    case 1:
        stocktakingList();
        break;
    case 2:
    case 3:
    case 4:
    case 5:
        crosstab(index);
        break;
    default:
        break;
    }
}

void FrmQAll::stocktakingList()
{
    ModBase::SQL.clear();
    FrmPopMenu::popUp(FrmPopMenu::instance().mnuRK);
    const QString group = ModBase::SQL;
    if (group.isEmpty())
        return;
    const queries::Period p = period();
    runReport([&] {
        setProgress(0, 1);
        PicState->show();
        const GridSnapshot list = queries::stocktaking(ModData::database(), p, group,
                                                       [this](int done, int total) { setProgress(done, total); });
        PicState->hide();
        showReport(list, queries::reportTitle(p, queries::StocktakingTitle), 1);
    });
}

void FrmQAll::crosstab(int index)
{
    const queries::Period p = period();
    const auto by = index < 4 ? queries::CrosstabRows::Department : queries::CrosstabRows::Claimant;
    const stock::MovementFlag flag = index % 2 == 0 ? stock::Issue : stock::Scrap;
    runReport([&] {
        showReport(queries::crosstab(ModData::database(), p, by, flag), queries::reportTitle(p, queries::crosstabTitleName(flag)),
             0);
        CountGrid(GridShow);
    });
}

void FrmQAll::CountGrid(FlexGrid *grid)
{
    const int lastRow = grid->Rows() - 1;
    const int lastCol = grid->Cols() - 1;
    if (lastRow < 1)
        return;
    grid->setRedraw(false);
    grid->setRows(grid->Rows() + 1);
    const int total = grid->Rows() - 1;
    grid->setTextMatrix(total, 0, QStringLiteral("总计："));
    for (int c = 1; c <= lastCol; ++c) {
        Currency sum;
        for (int r = 1; r <= lastRow; ++r) {
            const QString text = grid->TextMatrix(r, c);
            if (text.isEmpty())
                continue;
            const Currency value = queries::cellValue(text);
            sum += value;
            grid->setTextMatrix(r, c, queries::standardText(value));
        }
        grid->setTextMatrix(total, c, queries::standardText(sum));
    }
    grid->setRedraw(true);
}

void FrmQAll::CmdExport_Click()
{
    if (GridShow->Rows() < 2 || GridShow->Cols() < 2)
        return;
    // Only the grid and the title change hands; the kind and total stay as they were.
    handOffReport({GridShow->snapshot(), m_title, ModBase::PrintKind, ModBase::PrintTotal});
    ModData::ExportGrid(this, ModBase::PrintGrid, ModBase::PrintTitle, m_exportFirstCol, true);
}

void FrmQAll::setProgress(int done, int total)
{
    // Only a visible step repaints the bar: the list has a row per reagent.
    const int width = (100 + 3125 * done / std::max(total, 1)) / kTwipsPerPixel;
    if (width == LblState->width())
        return;
    LblState->resize(width, LblState->height());
    LblState->repaint();
}
