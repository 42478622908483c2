#include "FrmMain.h"

#include "ChildAccessKeys.h"
#include "ChildFrame.h"
#include "DbMaintenance.h"
#include "FrmAbout.h"
#include "FrmChangePSW.h"
#include "FrmLogin.h"
#include "FrmNotebook.h"
#include "FrmOptions.h"
#include "FrmShowLin.h"
#include "Maker.h"
#include "ModBase.h"
#include "ModData.h"
#include "ModINI.h"
#include "Organisation.h"
#include "Shutdown.h"
#include "ToolIcons.h"
#include "WindowRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/System.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <memory>
#include <stdexcept>

namespace {

FrmMain *g_main = nullptr;

// The business windows in the order UnloadForms closes them.
const QStringList kBusinessWindows = {
    QStringLiteral("FrmProductIn"),  QStringLiteral("FrmProductOut"), QStringLiteral("FrmProductOutPatch"),
    QStringLiteral("FrmProductScrap"), QStringLiteral("FrmProductPO"), QStringLiteral("FrmQInventory"),
    QStringLiteral("FrmQIn"),        QStringLiteral("FrmQOut"),       QStringLiteral("FrmQScrap"),
    QStringLiteral("FrmQAll"),       QStringLiteral("FrmCancelIn"),   QStringLiteral("FrmCancelOut"),
    QStringLiteral("FrmCancelScrap"), QStringLiteral("FrmSetProduct"),
};

struct VideoPage {
    const char16_t *caption; // "-" for a separator
    const char16_t *page;
};

const VideoPage kVideoPages[] = {
    {u"下载安装", u"/Demo/setup.htm"},
    {u"升级", u"/Demo/upgrade.htm"},
    {u"首次使用", u"/Demo/scsy.htm"},
    {u"业务流程", u"/Demo/ywlc.htm"},
    {u"-", u""},
    {u"登录 | 注销", u"/Demo/1.htm"},
    {u"压缩、备份、恢复数据库", u"/Demo/1.htm"},
    {u"-", u""},
    {u"试剂入库", u"/Demo/21.htm"},
    {u"试剂出库", u"/Demo/22.htm"},
    {u"试剂报损", u"/Demo/23.htm"},
    {u"采购订单", u"/Demo/24.htm"},
    {u"-", u""},
    {u"库存查询", u"/Demo/31.htm"},
    {u"入库查询", u"/Demo/32.htm"},
    {u"出库查询", u"/Demo/33.htm"},
    {u"报损查询", u"/Demo/34.htm"},
    {u"试剂总帐", u"/Demo/35.htm"},
    {u"-", u""},
    {u"撤销入库", u"/Demo/41.htm"},
    {u"撤销出库", u"/Demo/42.htm"},
    {u"撤销报损", u"/Demo/43.htm"},
    {u"-", u""},
    {u"试剂基本信息设置", u"/Demo/44.htm"},
    {u"组别设置", u"/Demo/45.htm"},
    {u"试剂包装单位设置", u"/Demo/46.htm"},
    {u"试剂存放地点设置", u"/Demo/47.htm"},
    {u"厂商设置", u"/Demo/48.htm"},
    {u"供应商设置", u"/Demo/49.htm"},
    {u"认领部门设置", u"/Demo/410.htm"},
    {u"认领人设置", u"/Demo/411.htm"},
    {u"-", u""},
    {u"修改登录密码", u"/Demo/52.htm"},
    {u"设置用户及权限", u"/Demo/53.htm"},
    {u"选项", u"/Demo/56.htm"},
    {u"-", u""},
    {u"帮助", u"/Demo/6.htm"},
};

// Right i is granted only by a "1" at position i; a short or damaged string grants less.
bool granted(const QString &rights, int right)
{
    return right >= 1 && right <= rights.size() && rights.at(right - 1) == u'1';
}

void failedToStart(const char *what)
{
    ModBase::ShowErr(std::runtime_error(what));
}

// The shell's own small modal windows, shown without an owner.
template <typename Dialog>
void execDialog()
{
    Dialog dialog;
    platform::execModal(&dialog);
}

} // namespace

FrmMain::FrmMain()
{
    g_main = this;
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(platform::appTitle());
    resize(1024, 720);
    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdiArea);
    new ChildAccessKeys(mdiArea);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    // Nobody is logged in yet: only what needs no right is offered.
    ApplyLoginState();
}

FrmMain::~FrmMain()
{
    ModBase::SetStatusPanel(nullptr);
    if (g_main == this)
        g_main = nullptr;
}

FrmMain *FrmMain::instance()
{
    return g_main;
}

QAction *FrmMain::command(QMenu *menu, const char *name, const QString &caption, int n)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    if (n > 0)
        connect(item, &QAction::triggered, this, [this, n] { DoIt(n); });
    return item;
}

void FrmMain::buildMenus()
{
    const auto menu = [this](const char *name, const QString &title) {
        QMenu *m = menuBar()->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    const auto bar = [](QMenu *m, const char *name) { m->addSeparator()->setObjectName(QString::fromLatin1(name)); };

    mnuDB = menu("mnuDB", QStringLiteral("数据库(&D)"));
    mnuDBLogin = command(mnuDB, "mnuDBLogin", QStringLiteral("登陆(&L)"), 1);
    mnuDBdj = command(mnuDB, "mnuDBdj", QStringLiteral("注销(&Z)..."), 2);
    bar(mnuDB, "mnuDBbar1");
    mnuDBCompactDB = command(mnuDB, "mnuDBCompactDB", QStringLiteral("压缩数据库(&C)"), 3);
    mnuDBbackup = command(mnuDB, "mnuDBbackup", QStringLiteral("备份数据库(&B)"), 4);
    mnuDBRestore = command(mnuDB, "mnuDBRestore", QStringLiteral("恢复数据库(&R)"), 5);
    bar(mnuDB, "mnuDBbar2");
    mnuDBexit = command(mnuDB, "mnuDBexit", QStringLiteral("退出(&E)"), 6);

    mnuRW = menu("mnuRW", QStringLiteral("业务操作(&W)"));
    mnuRWRegIn = command(mnuRW, "mnuRWRegIn", QStringLiteral("试剂入库(&I)"), 7);
    mnuRWRegOut = command(mnuRW, "mnuRWRegOut", QStringLiteral("试剂出库(&O)"), 8);
    mnuRWRegBS = command(mnuRW, "mnuRWRegBS", QStringLiteral("试剂报损(&S)"), 9);
    bar(mnuRW, "mnuRWbar1");
    mnuRWIndent = command(mnuRW, "mnuRWIndent", QStringLiteral("采购订单(&D)"), 10);
    bar(mnuRW, "mnuDCBar1");
    mnuDCin = command(mnuRW, "mnuDCin", QStringLiteral("撤销入库(&I)"), 16);
    mnuDCout = command(mnuRW, "mnuDCout", QStringLiteral("撤销出库(&O)"), 17);
    mnuDCbs = command(mnuRW, "mnuDCbs", QStringLiteral("撤销报损(&S)"), 18);

    mnuQy = menu("mnuQy", QStringLiteral("查询报表(&Q)"));
    mnuQyStore = command(mnuQy, "mnuQyStore", QStringLiteral("库存查询(&K)"), 11);
    mnuQyIn = command(mnuQy, "mnuQyIn", QStringLiteral("入库查询(&I)"), 12);
    mnuQyOut = command(mnuQy, "mnuQyOut", QStringLiteral("出库查询(&O)"), 13);
    mnuQyBS = command(mnuQy, "mnuQyBS", QStringLiteral("报损查询(&S)"), 14);
    bar(mnuQy, "mnuQybar1");
    mnuQyAll = command(mnuQy, "mnuQyAll", QStringLiteral("试剂总帐(&Z)"), 15);
    bar(mnuQy, "mnuQybar2");
    mnuQyJSCK = command(mnuQy, "mnuQyJSCK", QStringLiteral("警示窗口(&A)"), 37);

    mnuDC = menu("mnuDC", QStringLiteral("基础数据设置(&S)"));
    mnuRegBase = command(mnuDC, "mnuRegBase", QStringLiteral("试剂基本信息设置(&R)"), 19);
    bar(mnuDC, "mnuDCBar2");
    mnuZB = command(mnuDC, "mnuZB", QStringLiteral("组别设置(&Z)"), 20);
    mnuBZDW = command(mnuDC, "mnuBZDW", QStringLiteral("试剂包装单位设置(&D)"), 21);
    mnuCFDD = command(mnuDC, "mnuCFDD", QStringLiteral("试剂存放地点设置(&W)"), 22);
    bar(mnuDC, "mnuDCBar3");
    mnuCS = command(mnuDC, "mnuCS", QStringLiteral("厂商设置(&C)"), 23);
    mnuGYS = command(mnuDC, "mnuGYS", QStringLiteral("供应商设置(&G)"), 24);
    bar(mnuDC, "mnuDCBar4");
    mnuDepart = command(mnuDC, "mnuDepart", QStringLiteral("认领部门设置(&B)"), 25);
    mnuRLR = command(mnuDC, "mnuRLR", QStringLiteral("认领人设置(&U)"), 26);

    mnuTL = menu("mnuTL", QStringLiteral("系统工具(&T)"));
    mnuTLchPSW = command(mnuTL, "mnuTLchPSW", QStringLiteral("修改登陆密码(&P)"), 28);
    mnuTLUserSet = command(mnuTL, "mnuTLUserSet", QStringLiteral("设置用户及权限(&U)"), 29);
    bar(mnuTL, "mnuTLbar2");
    mnuTLJSQ = command(mnuTL, "mnuTLJSQ", QStringLiteral("计算器(&C)"), 30);
    mnuTLJSB = command(mnuTL, "mnuTLJSB", QStringLiteral("记事本/备忘录(J)"), 31);
    bar(mnuTL, "mnuTLbar3");
    mnuTLOption = command(mnuTL, "mnuTLOption", QStringLiteral("选项(&O)"), 32);
    bar(mnuTL, "mnuTLbar4");
    mnuTLAppPath = command(mnuTL, "mnuTLAppPath", QStringLiteral("进入软件文件夹"), 0);
    connect(mnuTLAppPath, &QAction::triggered, this, [this] { mnuTLAppPath_Click(); });
    mnuTLAutoBKPath = command(mnuTL, "mnuTLAutoBKPath", QStringLiteral("进入自动备份数据库文件夹"), 0);
    connect(mnuTLAutoBKPath, &QAction::triggered, this, [this] { mnuTLAutoBKPath_Click(); });

    mnuH = menu("mnuH", QStringLiteral("帮助(&H)"));
    mnuHTopic = command(mnuH, "mnuHTopic", QStringLiteral("帮助主题(&T)"), 33);
    mnuMovHelp = mnuH->addMenu(QStringLiteral("视频帮助(&M)"));
    mnuMovHelp->setObjectName(QStringLiteral("mnuMovHelp"));
    buildVideoHelp();
    bar(mnuH, "mnuHbar1");
    mnuHAbout = command(mnuH, "mnuHAbout", QStringLiteral("关于(&A)"), 34);
    bar(mnuH, "mnuHbar2");
    mnuHLicense = command(mnuH, "mnuHLicense", QStringLiteral("版权声明－许可协议(&L)"), 35);
    bar(mnuH, "mnuHbar3");
    mnuHwebLink = command(mnuH, "mnuHwebLink", QStringLiteral("访问澜鉴主页(&W)"), 36);

    m_rightItems = {nullptr,     mnuDBCompactDB, mnuDBbackup, mnuDBRestore, mnuRWRegIn, mnuRWRegOut, mnuRWRegBS,
                    mnuRWIndent, mnuDCin,        mnuDCout,    mnuDCbs,      mnuQyStore, mnuQyIn,     mnuQyOut,
                    mnuQyBS,     mnuQyAll,       mnuQyJSCK,   mnuRegBase,   mnuZB,      mnuBZDW,     mnuCFDD,
                    mnuCS,       mnuGYS,         mnuDepart,   mnuRLR,       mnuTLUserSet, mnuTLOption};
}

void FrmMain::buildVideoHelp()
{
    int index = 0;
    for (const VideoPage &p : kVideoPages) {
        const QString caption = QString::fromUtf16(p.caption);
        QAction *item = caption == u"-" ? mnuMovHelp->addSeparator() : mnuMovHelp->addAction(caption);
        item->setObjectName(QStringLiteral("mnuMovHelpS_%1").arg(index));
        connect(item, &QAction::triggered, this, [this, index] { mnuMovHelpS_Click(index); });
        mnuMovHelpS.append(item);
        ++index;
    }
}

QAction *FrmMain::button(const char *name, const QString &caption, int n)
{
    QAction *b = TbMaster->addAction(toolIcon(QString::fromLatin1(name)), caption);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QAction::triggered, this, [this, n] { DoIt(n); });
    return b;
}

void FrmMain::buildToolBar()
{
    TbMaster = addToolBar(QStringLiteral("TbMaster"));
    TbMaster->setObjectName(QStringLiteral("TbMaster"));
    TbMaster->setMovable(false);
    TbMaster->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    TbMaster->setIconSize(QSize(32, 32));
    tbLogin = button("tbLogin", QStringLiteral("登陆"), 1);
    tbRest = button("tbRest", QStringLiteral("注销"), 2);
    TbMaster->addSeparator();
    tbRegIn = button("tbRegIn", QStringLiteral("入库"), 7);
    tbRegOut = button("tbRegOut", QStringLiteral("出库"), 8);
    tbRegBS = button("tbRegBS", QStringLiteral("报损"), 9);
    tbIndent = button("tbIndent", QStringLiteral("订单"), 10);
    TbMaster->addSeparator();
    tbQRegStore = button("tbQRegStore", QStringLiteral("查库存"), 11);
    tbQRegIn = button("tbQRegIn", QStringLiteral("查入库"), 12);
    tbQRegOut = button("tbQRegOut", QStringLiteral("查出库"), 13);
    tbQRegBS = button("tbQRegBS", QStringLiteral("查报损"), 14);
    TbMaster->addSeparator();
    tbRegSet = button("tbRegSet", QStringLiteral("试剂"), 19);
    tbRegSet->setToolTip(QStringLiteral("试剂基本信息设置"));
    TbMaster->addSeparator();
    tbHelp = button("tbHelp", QStringLiteral("帮助"), 33);
    tbAbout = button("tbAbout", QStringLiteral("关于"), 34);
    TbMaster->addSeparator();
    tbExit = button("tbExit", QStringLiteral("退出"), 6);
}

void FrmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StaBarMaster"));
    for (int i = 1; i <= 3; ++i) {
        auto *label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StaBarMaster_%1").arg(i));
        label->setMinimumWidth(200);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(label, i == 1 ? 2 : 1);
        m_panels.append(label);
    }
    ModBase::SetStatusPanel(m_panels[0]);
    ModBase::SetStatus(QString());
}

QLabel *FrmMain::panel(int number) const
{
    return number >= 1 && number <= m_panels.size() ? m_panels[number - 1] : nullptr;
}

QAction *FrmMain::rightItem(int right) const
{
    return right >= 1 && right <= 26 ? m_rightItems[right] : nullptr;
}

bool FrmMain::commandEnabled(int right)
{
    const FrmMain *main = instance();
    const QAction *item = main ? main->rightItem(right) : nullptr;
    return item && item->isEnabled();
}

bool FrmMain::load()
{
    ModBase::LoadOrganisation();
    if (ModBase::UnitName.isEmpty()) {
        ModData::CloseAll();
        return false;
    }
    panel(2)->setText(ModBase::UnitName);
    setWindowTitle(platform::appTitle() + QStringLiteral(" V%1.%2.%3")
                                              .arg(VIALDESK_VERSION_MAJOR)
                                              .arg(VIALDESK_VERSION_MINOR)
                                              .arg(VIALDESK_VERSION_PATCH));
    return true;
}

void FrmMain::ApplyLoginState()
{
    using ModBase::UserQX;
    const bool in = ModBase::LoginOK;
    mnuDBLogin->setText(in ? QStringLiteral("换名登陆") : QStringLiteral("登陆"));
    mnuDBdj->setEnabled(in);
    mnuTLchPSW->setEnabled(in);
    for (int right = 1; right <= 26; ++right)
        m_rightItems[right]->setEnabled(in && granted(UserQX, right));

    tbLogin->setEnabled(!in);
    tbRest->setEnabled(in);
    const std::pair<QAction *, int> buttons[] = {{tbRegIn, 4},     {tbRegOut, 5},  {tbRegBS, 6},
                                                 {tbIndent, 7},    {tbQRegStore, 11}, {tbQRegIn, 12},
                                                 {tbQRegOut, 13},  {tbQRegBS, 14}, {tbRegSet, 17}};
    for (const auto &[b, right] : buttons)
        b->setEnabled(in && granted(UserQX, right));
    tbHelp->setEnabled(true);
    tbAbout->setEnabled(true);
    tbExit->setEnabled(true);
    panel(3)->setText(in ? QStringLiteral("当前用户：") + ModBase::UserName : QStringLiteral("当前用户：未登陆"));
}

void FrmMain::DoIt(int n)
{
    ModBase::SetStatus(QString());
    switch (n) {
    case 1:
    case 2:
        UnloadForms();
        ModBase::LoginOK = false;
        ApplyLoginState();
        showLogin();
        break;
    case 3:
        // The compaction closes the shared connection that the open windows read through:
        // close them first.
        UnloadForms();
        if (ModData::CompactDB())
            platform::msgBox(QStringLiteral("数据库压缩整理完毕！"));
        ModData::OpenDB();
        break;
    case 4:
        UnloadForms();
        DbMaintenance::BackupDB(this);
        ModData::OpenDB();
        break;
    case 5:
        UnloadForms();
        // A restored database ends the run; the shutdown backs it up at once.
        if (DbMaintenance::RestoreDB(this))
            close();
        break;
    case 6:
        close();
        break;
    case 7:
        UnloadForms();
        openChild(QStringLiteral("FrmProductIn"));
        break;
    case 8:
        UnloadForms();
        if (ModBase::OutMode == 0)
            openChild(QStringLiteral("FrmProductOut"));
        else if (ModBase::OutMode == 1)
            openChild(QStringLiteral("FrmProductOutPatch"));
        break;
    case 9:
        UnloadForms();
        openChild(QStringLiteral("FrmProductScrap"));
        break;
    case 10:
        UnloadForms();
        openChild(QStringLiteral("FrmProductPO"));
        break;
    case 11:
        UnloadForms();
        openChild(QStringLiteral("FrmQInventory"));
        break;
    case 12:
        UnloadForms();
        openChild(QStringLiteral("FrmQIn"));
        break;
    case 13:
        UnloadForms();
        openChild(QStringLiteral("FrmQOut"));
        break;
    case 14:
        UnloadForms();
        openChild(QStringLiteral("FrmQScrap"));
        break;
    case 15:
        UnloadForms();
        openChild(QStringLiteral("FrmQAll"));
        break;
    case 16:
        UnloadForms();
        openChild(QStringLiteral("FrmCancelIn"));
        break;
    case 17:
        UnloadForms();
        openChild(QStringLiteral("FrmCancelOut"));
        break;
    case 18:
        UnloadForms();
        openChild(QStringLiteral("FrmCancelScrap"));
        break;
    case 19:
        if (mnuRegBase->isEnabled())
            openChild(QStringLiteral("FrmSetProduct"));
        break;
    case 20:
    case 21:
    case 22:
    case 23:
    case 24:
    case 25:
    case 26: {
        // Asked from a picker too: a register whose right the user lacks stays closed.
        static const char16_t *const registers[] = {u"FrmSetCategory",     u"FrmSetUnit",     u"FrmSetLocation",
                                                    u"FrmSetManufacturer", u"FrmSetSupplier", u"FrmSetDepartment",
                                                    u"FrmSetHandling"};
        if (m_rightItems[n - 2]->isEnabled())
            openModal(QString::fromUtf16(registers[n - 20]));
        break;
    }
    case 28:
        execDialog<FrmChangePSW>();
        break;
    case 29:
        UnloadForms();
        if (ModBase::SuperUser)
            openModal(QStringLiteral("FrmSetUser"));
        else
            platform::msgBox(QStringLiteral("您不是超级用户，无此权限！"), platform::Buttons::Ok,
                             platform::Icon::Exclamation, QStringLiteral("提示"));
        break;
    case 30:
        if (!platform::shell().startCalculator())
            failedToStart("找不到计算器程序。");
        break;
    case 31:
        execDialog<FrmNotebook>();
        break;
    case 32:
        UnloadForms();
        execDialog<FrmOptions>();
        break;
    case 33:
        if (!platform::shell().showHelp(ModBase::HelpFile, QString()))
            failedToStart("无法启动帮助程序，请检查帮助文件。");
        break;
    case 34:
        execDialog<FrmAbout>();
        break;
    case 35:
        execDialog<FrmShowLin>();
        break;
    case 36:
        platform::shell().open(this, Maker::Web);
        break;
    case 37:
        openModal(QStringLiteral("FrmQTip"));
        break;
    default:
        break;
    }
}

void FrmMain::showLogin()
{
    FrmLogin login(this);
    platform::execModal(&login);
}

QWidget *FrmMain::loadedWindow(const QString &name) const
{
    const ChildFrame *frame = m_children.value(name);
    return frame && !frame->isClosed() ? frame->widget() : nullptr;
}

void FrmMain::openChild(const QString &name)
{
    ChildFrame *frame = m_children.value(name);
    if (!frame || frame->isClosed()) {
        QWidget *window = shell::createWindow(name, nullptr);
        if (!window)
            return;
        frame = new ChildFrame(window);
        frame->setObjectName(name + QStringLiteral("Frame"));
        mdiArea->addSubWindow(frame);
        m_children.insert(name, frame);
    }
    // Business windows fill the work area: their grids need the width.
    frame->showMaximized();
    mdiArea->setActiveSubWindow(frame);
    frame->raise();
}

void FrmMain::keepLoaded(const QString &name, QWidget *window)
{
    delete m_kept.take(name).data();
    if (!window)
        return;
    window->hide();
    m_kept.insert(name, window);
}

void FrmMain::openModal(const QString &name)
{
    // Closing a modal window unloads it: a kept one is shown as it is, once.
    std::unique_ptr<QWidget> window(m_kept.take(name).data());
    if (!window)
        window.reset(shell::createWindow(name, nullptr));
    if (auto *dialog = qobject_cast<QDialog *>(window.get()))
        platform::execModal(dialog);
}

void FrmMain::UnloadForms()
{
    for (const QString &name : kBusinessWindows) {
        ChildFrame *frame = m_children.value(name);
        if (!frame || frame->isClosed())
            continue;
        frame->close();
        if (frame->isClosed())
            m_children.remove(name);
    }
}

void FrmMain::mnuMovHelpS_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(kVideoPages)))
        return;
    const QString page = QString::fromUtf16(kVideoPages[index].page);
    if (!page.isEmpty())
        platform::shell().open(this, platform::programFolder() + page);
}

void FrmMain::mnuTLAppPath_Click()
{
    if (!platform::shell().explore(platform::programFolder()))
        failedToStart("无法打开文件夹。");
}

void FrmMain::mnuTLAutoBKPath_Click()
{
    if (!ModBase::BackupPath.isEmpty()) {
        if (!platform::shell().explore(ModBase::BackupPath))
            failedToStart("无法打开文件夹。");
        return;
    }
    const auto answer = platform::msgBox(QStringLiteral("当前未设置退出自动备份数据库的目录\n\n现在设置？"),
                                         platform::Buttons::YesNo, platform::Icon::Information);
    // The options open only the way the menu opens them, and only for who may use them.
    if (answer == platform::Answer::Yes && mnuTLOption->isEnabled())
        DoIt(32);
}

void FrmMain::AutoBacKupIt()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ModBase::SetStatus(QStringLiteral("正在退出系统"), true);
    ModBase::BackupAtExit();
    QApplication::restoreOverrideCursor();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    if (m_unloaded) {
        event->accept();
        return;
    }
    m_unloaded = true;
    UnloadForms();
    ModINI::WriteINI(QStringLiteral("上次登陆用户"), QStringLiteral("用户名"), ModBase::UserName, ModBase::IniFile);
    AutoBacKupIt();
    ModBase::ExitCompact();
    event->accept();
    QCoreApplication::quit();
}

namespace ModBase {

void ApplyLoginState()
{
    if (FrmMain *m = FrmMain::instance())
        m->ApplyLoginState();
}

} // namespace ModBase
