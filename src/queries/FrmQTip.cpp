#include "FrmQTip.h"

#include "Searching.h"
#include "StockGrid.h"
#include "StockLists.h"
#include "dao/Database.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModINI.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("警示窗口——按Esc键关闭窗口");

struct Tab {
    const char16_t *caption;
    const char16_t *tip;
};

const Tab kTabs[] = {
    {u"已经过期", u"已经过期试剂"},
    {u"即将过期", u"即将过期试剂"},
    {u"库存低", u"库存低于库存低限"},
    {u"库存高", u"库存超储，高于库存高限"},
};

} // namespace

FrmQTip::FrmQTip(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmQTip"));
    setWindowTitle(kCaption);
    build();
    CheTipSHX->setChecked(ModBase::TipNow);
    resize(780, 600);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    // The checks wait for the first showing, so the window is up while they run.
    TLoad->start();
}

void FrmQTip::build()
{
    tbsOptions = new QTabBar(this);
    tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    panels = new QStackedWidget(this);
    for (int i = 0; i < 4; ++i) {
        tbsOptions->addTab(QString::fromUtf16(kTabs[i].caption));
        tbsOptions->setTabToolTip(i, QString::fromUtf16(kTabs[i].tip));
        tbsOptions->setTabData(i, QStringLiteral("Group%1").arg(i + 1));
        picOptions[i] = new QWidget(panels);
        picOptions[i]->setObjectName(QStringLiteral("picOptions_%1").arg(i));
        GridQ[i] = new FlexGrid(picOptions[i]);
        GridQ[i]->setObjectName(QStringLiteral("GridQ_%1").arg(i));
        GridQ[i]->setRows(1);
        auto *panelLayout = new QVBoxLayout(picOptions[i]);
        panelLayout->setContentsMargins(0, 0, 0, 0);
        panelLayout->addWidget(GridQ[i]);
        panels->addWidget(picOptions[i]);
        connect(GridQ[i], &FlexGrid::DblClick, this, [this] { close(); });
    }
    connect(tbsOptions, &QTabBar::currentChanged, panels, &QStackedWidget::setCurrentIndex);

    CheTipSHX = new QCheckBox(QStringLiteral("如有失效或库存数量异常的试剂，登陆时弹出警示窗口"), this);
    CheTipSHX->setObjectName(QStringLiteral("CheTipSHX"));
    CmdHelp = new QPushButton(QStringLiteral("？"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    CmdHelp->setFixedWidth(24);
    cmdClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    CmdHelp->setAutoDefault(false);

    TLoad = new QTimer(this);
    TLoad->setObjectName(QStringLiteral("TLoad"));
    TLoad->setSingleShot(true);
    TLoad->setInterval(1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CheTipSHX, 1);
    bottom->addWidget(CmdHelp);
    bottom->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(tbsOptions);
    layout->addWidget(panels, 1);
    layout->addSpacing(8);
    layout->addLayout(bottom);

    auto *nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextTab, &QShortcut::activated, this,
            [this] { tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + 1) % tbsOptions->count()); });
    connect(TLoad, &QTimer::timeout, this, [this] { checks(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { close(); });
    connect(CheTipSHX, &QCheckBox::clicked, this, [](bool ticked) {
        ModBase::TipNow = ticked;
        ModINI::WriteINI(QStringLiteral("失效库存试剂提醒"), QStringLiteral("立即提醒"),
                         platform::convert::flagText(ticked), ModBase::IniFile);
    });
    connect(CmdHelp, &QPushButton::clicked, this, [this] {
        FrmPopMenu::helpButton(this, QStringLiteral("::/5.htm#56"), QStringLiteral("/Demo/33.htm"));
    });
    new EntryFilter(this);
}

void FrmQTip::loadNow()
{
    if (TLoad->isActive())
        checks();
}

void FrmQTip::checks()
{
    TLoad->stop();
    setWindowTitle(QStringLiteral("正在检索数据，请稍候..."));
    try {
        queries::Searching wait;
        dao::Database &db = ModData::database();
        const QDate today = ModBase::SysDate;
        const queries::LotCondition lots[] = {queries::expiredLots(today),
                                              queries::expiringAfterToday(today, ModBase::SXDays)};
        for (int i = 0; i < 2; ++i) {
            queries::showLots(*GridQ[i], queries::lotList(db, lots[i]));
            setTabCount(i, QString::fromUtf16(kTabs[i].caption), GridQ[i]->Rows() - 1);
        }
        using ReagentCheck = queries::ReagentList (*)(dao::Database &);
        const ReagentCheck reagentChecks[] = {queries::lowStock, queries::highStock};
        for (int i = 2; i < 4; ++i) {
            const int n = queries::showReagents(*GridQ[i], reagentChecks[i - 2](db));
            setTabCount(i, QString::fromUtf16(kTabs[i].caption), n);
        }
    } catch (...) {
        setWindowTitle(kCaption);
        ModBase::ShowErr();
        return;
    }
    setWindowTitle(kCaption);
}

void FrmQTip::setTabCount(int tab, const QString &caption, int rows)
{
    tbsOptions->setTabText(tab, caption + QStringLiteral("（") + QString::number(rows) + QStringLiteral("）"));
    if (rows > 0)
        ModBase::HasTip = true;
}

