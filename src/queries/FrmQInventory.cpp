#include "FrmQInventory.h"

#include "Searching.h"
#include "StockGrid.h"
#include "StockLists.h"
#include "dao/Database.h"
#include "platform/System.h"
#include "reports/ExportGrid.h"
#include "reports/FrmPrint.h"
#include "shell/FrmMain.h"
#include "shell/DropDownFill.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModDataGrid.h"
#include "shell/ReportHandOff.h"
#include "widgets/DropDownCombo.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/WaitCursor.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using platform::convert::Currency;

namespace {

QString title(const QString &prefix)
{
    return prefix + platform::shortDate(ModBase::SysDate) + QStringLiteral("）");
}

} // namespace

FrmQInventory::FrmQInventory(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmQInventory"));
    setWindowTitle(QStringLiteral("库存查询"));
    build();
    m_entry = new EntryFilter(this);
    // Nothing is listed until the user asks.
    GridQ->setRows(1);
    // The high-stock list goes with the purchase-order right, as it is at load.
    CmdQyIm[5]->setEnabled(FrmMain::commandEnabled(7));
    loadGroupMenu();
}

void FrmQInventory::closeEvent(QCloseEvent *event)
{
    disconnect(m_groupClick);
    FrmPopMenu::instance().unloadItems();
    event->accept();
}

void FrmQInventory::build()
{
    auto *FrameQ = new QGroupBox(QStringLiteral("快速查询"), this);
    FrameQ->setObjectName(QStringLiteral("FrameQ"));
    const char16_t *const captions[] = {u"全部库存试剂", u"即将过期库存", u"已过期库存",
                                        u"各组别库存",   u"库存低试剂",   u"库存高试剂"};
    // Two rows of three: all, expiring, low above; groups, expired, high below.
    const std::pair<int, int> cells[] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 2}, {1, 2}};
    auto *quick = new QGridLayout(FrameQ);
    for (int i = 0; i < 6; ++i) {
        CmdQyIm[i] = new QPushButton(QString::fromUtf16(captions[i]), FrameQ);
        CmdQyIm[i]->setObjectName(QStringLiteral("CmdQyIm_%1").arg(i));
        CmdQyIm[i]->setMinimumWidth(94);
        quick->addWidget(CmdQyIm[i], cells[i].first, cells[i].second);
        connect(CmdQyIm[i], &QPushButton::clicked, this, [this, i] { CmdQyIm_Click(i); });
    }

    auto *Frame1 = new QGroupBox(QStringLiteral("条件查询"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *conditions = new QGridLayout(Frame1);
    const std::pair<const char *, const char16_t *> combos[] = {
        {"CmbSJDM", u"按试剂名称查询"}, {"CmbGYS", u"按供应商查询"}, {"CmbCS", u"按试剂厂商查询"}};
    std::array<DropDownCombo *, 3> made{};
    for (int i = 0; i < 3; ++i) {
        made[i] = new DropDownCombo(Frame1);
        made[i]->setObjectName(QString::fromLatin1(combos[i].first));
        made[i]->setMinimumWidth(123);
        auto *label = new QLabel(QString::fromUtf16(combos[i].second), Frame1);
        label->setBuddy(made[i]);
        conditions->addWidget(label, 0, i);
        conditions->addWidget(made[i], 1, i);
    }
    CmbSJDM = made[0];
    CmbGYS = made[1];
    CmbCS = made[2];

    auto *top = new QHBoxLayout;
    top->addWidget(FrameQ);
    top->addWidget(Frame1, 1);

    LabTip = new QLabel(this);
    LabTip->setObjectName(QStringLiteral("LabTip"));
    CmdHelp = new QPushButton(QStringLiteral("？"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    CmdHelp->setFixedWidth(24);
    CmdPrint = new QPushButton(QStringLiteral("打印(&P)"), this);
    CmdPrint->setObjectName(QStringLiteral("CmdPrint"));
    CmdDH = new QPushButton(QStringLiteral("导"), this);
    CmdDH->setObjectName(QStringLiteral("CmdDH"));
    CmdDH->setToolTip(QStringLiteral("导出为HTML格式文档"));
    CmdDH->setFixedWidth(32);
    auto *bar = new QHBoxLayout;
    bar->addWidget(LabTip, 1);
    bar->addWidget(CmdHelp);
    bar->addWidget(CmdPrint);
    bar->addWidget(CmdDH);

    GridQ = new FlexGrid(this);
    GridQ->setObjectName(QStringLiteral("GridQ"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bar);
    layout->addWidget(GridQ, 1);

    for (DropDownCombo *combo : made) {
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, combo] { combo_Change(combo); });
        connect(combo, &QComboBox::activated, this, [this, combo] { combo_Change(combo); });
    }
    fillAtFirstDropDown(CmbCS, QStringLiteral("SELECT changshang.厂商 FROM changshang ORDER BY changshang.厂商 COLLATE ZH"),
                        {}, true);
    fillAtFirstDropDown(CmbGYS, QStringLiteral("SELECT 供应商 FROM gongyingshang"), {}, true);
    fillAtFirstDropDown(CmbSJDM, QStringLiteral("SELECT DISTINCT 品名 FROM shijijibenxinxi ORDER BY 品名 COLLATE ZH"), {},
                        true);
    connect(GridQ, &FlexGrid::MouseUp, this,
            [this](Qt::MouseButton, int, int, double y) { ModData::SortGrid(GridQ, y); });
    connect(CmdPrint, &QPushButton::clicked, this, [this] { CmdPrint_Click(); });
    connect(CmdDH, &QPushButton::clicked, this, [this] { CmdDH_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] {
        FrmPopMenu::helpButton(this, QStringLiteral("::/5.htm#51"), QStringLiteral("/Demo/31.htm"));
    });
}

void FrmQInventory::loadGroupMenu()
{
    FrmPopMenu &pop = FrmPopMenu::instance();
    try {
        // A reagent without a group has no item: the others still get theirs.
        const dao::Result groups = ModData::database().select(QStringLiteral(
            "SELECT DISTINCT 组别 FROM shijijibenxinxi WHERE ifnull(组别, '') <> '' ORDER BY 组别 COLLATE ZH"));
        for (int i = 0; i < groups.size(); ++i)
            pop.loadItem(pop.mnuQstoreZB, i, groups[i].text(0));
        m_groupClick =
            connect(pop.mnuQstore, &QMenu::triggered, this, [this](QAction *item) { group_Click(item->text()); });
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmQInventory::DoQuery(const QString &title, const queries::LotCondition &condition)
{
    m_title = title;
    try {
        queries::Searching wait;
        const dao::Result lots = queries::lotList(ModData::database(), condition);
        GridQ->setRedraw(false);
        queries::showLots(*GridQ, lots);
        queries::colourLots(*GridQ, lots, ModBase::SysDate, ModBase::SXDays);
        m_total = queries::amountTotal(lots, queries::LotAmountColumn);
        LabTip->setText(m_title + QStringLiteral("－共 ") + QString::number(GridQ->Rows() - 1)
                        + QStringLiteral(" 条记录，总金额：") + platform::convert::standard(m_total.toDouble()));
        GridQ->setRedraw(true);
    } catch (...) {
        GridQ->setRedraw(true);
        ModBase::ShowErr();
    }
}

void FrmQInventory::CmdQyIm_Click(int index)
{
    const QDate today = ModBase::SysDate;
    switch (index) {
    case 0:
        DoQuery(title(QStringLiteral("全部库存试剂报表（统计日期：")), queries::allLots());
        break;
    case 1:
        DoQuery(title(QStringLiteral("即将过期库存试剂报表（统计日期：")), queries::expiringLots(today, ModBase::SXDays));
        break;
    case 2:
        DoQuery(title(QStringLiteral("过期库存试剂报表（统计日期：")), queries::expiredLots(today));
        break;
    case 3:
        FrmPopMenu::popUp(FrmPopMenu::instance().mnuQstore);
        break;
    case 4:
    case 5:
        QueryReagents(index == 4);
        break;
    default:
        break;
    }
}

void FrmQInventory::combo_Change(DropDownCombo *combo)
{
    const QString text = combo->currentText().trimmed();
    if (text.isEmpty())
        return;
    for (DropDownCombo *other : {CmbCS, CmbGYS, CmbSJDM}) {
        if (other == combo)
            continue;
        const QSignalBlocker blocker(other);
        other->setEditText(QString());
    }
    const QString t = title(QStringLiteral("库存试剂报表（统计日期："));
    if (combo == CmbCS)
        DoQuery(t, queries::lotsOfManufacturer(text));
    else if (combo == CmbGYS)
        DoQuery(t, queries::lotsOfSupplier(text));
    else
        DoQuery(t, queries::lotsOfReagent(text));
}

void FrmQInventory::group_Click(const QString &caption)
{
    if (caption.isEmpty())
        return;
    DoQuery(title(caption + QStringLiteral(" 库存试剂报表（统计日期：")), queries::lotsOfGroup(caption));
}

void FrmQInventory::QueryReagents(bool low)
{
    m_title = title(low ? QStringLiteral("库存低试剂（统计日期：") : QStringLiteral("库存高试剂（统计日期："));
    try {
        queries::Searching wait;
        dao::Database &db = ModData::database();
        const queries::ReagentList list = low ? queries::lowStock(db) : queries::highStock(db);
        GridQ->setRedraw(false);
        const int n = queries::showReagents(*GridQ, list);
        GridQ->setRedraw(true);
        if (GridQ->Cols() == queries::ReagentColumns)
            LabTip->setText(m_title + QStringLiteral("－共 ") + QString::number(n) + QStringLiteral(" 条记录"));
        else
            LabTip->setText(low ? QStringLiteral("库存充足，无库存低试剂") : QStringLiteral("无库存高试剂"));
    } catch (...) {
        GridQ->setRedraw(true);
        ModBase::ShowErr();
    }
}

void FrmQInventory::CmdPrint_Click()
{
    if (GridQ->Rows() < 2 || GridQ->Cols() < 2)
        return;
    // A per-reagent list has no report form: it goes to a spreadsheet instead.
    if (GridQ->Cols() == queries::ReagentColumns) {
        CmdDH_Click();
        return;
    }
    {
        WaitCursor wait;
        ModBase::SetStatus(QStringLiteral("正在准备打印输出"), true);
        handOffReport({GridQ->snapshot(), m_title, ReportKind::RegStore, m_total});
    }
    reports::ShowPreview(this);
    ModBase::SetStatus(QString());
}

void FrmQInventory::CmdDH_Click()
{
    if (GridQ->Rows() < 2 || GridQ->Cols() < 2)
        return;
    // A lot list leaves out its hidden key column.
    const int firstCol = GridQ->Cols() == queries::ReagentColumns ? 0 : 1;
    ModData::ExportGrid(this, GridQ->snapshot(), m_title, firstCol, true);
}
