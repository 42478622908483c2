#include "RecordingShell.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "dao/Database.h"
#include "dao/PresenceLock.h"
#include "schema/DeliveredDatabase.h"
#include "shell/FrmMain.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/WindowRegistry.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>

#include <gtest/gtest.h>

using namespace ModBase;
using platform::Answer;

namespace {

QStringList g_log;

// A business window that notes its making and its close handler.
class FakeWindow : public QWidget {
public:
    explicit FakeWindow(const QString &name)
    {
        setObjectName(name);
        g_log << QStringLiteral("open ") + name;
    }
    std::function<void()> onButton;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        g_log << QStringLiteral("close ") + objectName();
        event->accept();
    }
};

const QStringList kChildWindows = {
    QStringLiteral("FrmProductIn"),  QStringLiteral("FrmProductOut"), QStringLiteral("FrmProductOutPatch"),
    QStringLiteral("FrmProductScrap"), QStringLiteral("FrmProductPO"), QStringLiteral("FrmQInventory"),
    QStringLiteral("FrmQIn"),        QStringLiteral("FrmQOut"),       QStringLiteral("FrmQScrap"),
    QStringLiteral("FrmQAll"),       QStringLiteral("FrmCancelIn"),   QStringLiteral("FrmCancelOut"),
    QStringLiteral("FrmCancelScrap"), QStringLiteral("FrmSetProduct"),
};

const QStringList kDialogs = {
    QStringLiteral("FrmSetCategory"), QStringLiteral("FrmSetUnit"),     QStringLiteral("FrmSetLocation"),
    QStringLiteral("FrmSetManufacturer"), QStringLiteral("FrmSetSupplier"), QStringLiteral("FrmSetDepartment"),
    QStringLiteral("FrmSetHandling"), QStringLiteral("FrmSetUser"),     QStringLiteral("FrmQTip"),
};

QString rightsWith(std::initializer_list<int> rights)
{
    QString qx(26, u'0');
    for (int r : rights)
        qx[r - 1] = u'1';
    return qx;
}

class FrmMainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetState();
        IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
        g_log.clear();
        shell::clearWindowRegistry();
        for (const QString &name : kChildWindows)
            shell::registerWindow(name, [name](QWidget *) { return new FakeWindow(name); });
        for (const QString &name : kDialogs)
            shell::registerWindow(name, [name](QWidget *parent) {
                auto *d = new QDialog(parent);
                d->setObjectName(name);
                return d;
            });
        main = std::make_unique<FrmMain>();
    }
    void TearDown() override
    {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::clearWindowRegistry();
    }

    void logIn(const QString &rights, bool super = false)
    {
        LoginOK = true;
        UserName = QStringLiteral("张工");
        UserQX = rights;
        SuperUser = super;
        main->ApplyLoginState();
    }

    QList<QAction *> businessButtons() const
    {
        return {main->tbRegIn,  main->tbRegOut,  main->tbRegBS,   main->tbIndent, main->tbQRegStore,
                main->tbQRegIn, main->tbQRegOut, main->tbQRegBS, main->tbRegSet};
    }

    TempFolder dir;
    std::unique_ptr<FrmMain> main;
};

} // namespace

TEST_F(FrmMainTest, MenuTreeAndToolbarCarryTheirCaptions)
{
    const std::pair<const char *, const char16_t *> items[] = {
        {"mnuDB", u"数据库(&D)"},          {"mnuDBdj", u"注销(&Z)..."},
        {"mnuDBCompactDB", u"压缩数据库(&C)"}, {"mnuRWIndent", u"采购订单(&D)"},
        {"mnuQyJSCK", u"警示窗口(&A)"},    {"mnuRegBase", u"试剂基本信息设置(&R)"},
        {"mnuRLR", u"认领人设置(&U)"},     {"mnuTLJSB", u"记事本/备忘录(J)"},
        {"mnuTLAutoBKPath", u"进入自动备份数据库文件夹"}, {"mnuHLicense", u"版权声明－许可协议(&L)"},
        {"mnuMovHelpS_0", u"下载安装"},    {"mnuMovHelpS_36", u"帮助"},
        {"tbQRegStore", u"查库存"},        {"tbExit", u"退出"},
    };
    for (const auto &[name, caption] : items) {
        QObject *o = main->findChild<QObject *>(QString::fromLatin1(name));
        ASSERT_NE(o, nullptr) << name;
        const QString text = qobject_cast<QAction *>(o) ? qobject_cast<QAction *>(o)->text()
                                                        : qobject_cast<QMenu *>(o)->title();
        EXPECT_EQ(text, QString::fromUtf16(caption)) << name;
    }
    EXPECT_EQ(main->tbRegSet->toolTip(), QStringLiteral("试剂基本信息设置"));
    EXPECT_TRUE(main->findChild<QAction *>(QStringLiteral("mnuMovHelpS_4"))->isSeparator());
    EXPECT_EQ(main->mnuMovHelpS.size(), 37);
}

TEST_F(FrmMainTest, LoggedOutStateLeavesOnlyLoginHelpAboutAndExit)
{
    logIn(QString(26, u'1'));
    EXPECT_EQ(main->mnuDBLogin->text(), QStringLiteral("换名登陆"));
    EXPECT_EQ(main->panel(3)->text(), QStringLiteral("当前用户：张工"));
    LoginOK = false;
    main->ApplyLoginState();
    EXPECT_EQ(main->mnuDBLogin->text(), QStringLiteral("登陆"));
    EXPECT_EQ(main->panel(3)->text(), QStringLiteral("当前用户：未登陆"));
    for (int right = 1; right <= 26; ++right)
        EXPECT_FALSE(main->rightItem(right)->isEnabled()) << right;
    EXPECT_FALSE(main->mnuDBdj->isEnabled());
    EXPECT_FALSE(main->mnuTLchPSW->isEnabled());
    EXPECT_FALSE(main->tbRest->isEnabled());
    for (QAction *b : businessButtons())
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    for (QAction *a : {main->tbLogin, main->tbHelp, main->tbAbout, main->tbExit, main->mnuDBLogin, main->mnuDBexit,
                       main->mnuTLJSQ, main->mnuTLJSB, main->mnuHTopic, main->mnuHAbout})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
}

TEST_F(FrmMainTest, EachRightEnablesExactlyItsItemAndButton)
{
    const std::map<int, QAction *> buttonOf = {{4, main->tbRegIn},      {5, main->tbRegOut},  {6, main->tbRegBS},
                                               {7, main->tbIndent},     {11, main->tbQRegStore}, {12, main->tbQRegIn},
                                               {13, main->tbQRegOut},   {14, main->tbQRegBS}, {17, main->tbRegSet}};
    const char *itemOf[] = {nullptr,      "mnuDBCompactDB", "mnuDBbackup", "mnuDBRestore", "mnuRWRegIn",
                            "mnuRWRegOut", "mnuRWRegBS",    "mnuRWIndent", "mnuDCin",      "mnuDCout",
                            "mnuDCbs",    "mnuQyStore",     "mnuQyIn",     "mnuQyOut",     "mnuQyBS",
                            "mnuQyAll",   "mnuQyJSCK",      "mnuRegBase",  "mnuZB",        "mnuBZDW",
                            "mnuCFDD",    "mnuCS",          "mnuGYS",      "mnuDepart",    "mnuRLR",
                            "mnuTLUserSet", "mnuTLOption"};
    for (int right = 1; right <= 26; ++right) {
        logIn(rightsWith({right}));
        EXPECT_EQ(main->rightItem(right)->objectName(), QString::fromLatin1(itemOf[right]));
        for (int other = 1; other <= 26; ++other)
            EXPECT_EQ(main->rightItem(other)->isEnabled(), other == right) << right << " " << other;
        for (QAction *b : businessButtons()) {
            const auto it = buttonOf.find(right);
            EXPECT_EQ(b->isEnabled(), it != buttonOf.end() && it->second == b)
                << right << " " << b->objectName().toStdString();
        }
        EXPECT_TRUE(main->mnuDBdj->isEnabled());
        EXPECT_TRUE(main->tbRest->isEnabled());
        EXPECT_FALSE(main->tbLogin->isEnabled());
    }
}

TEST_F(FrmMainTest, DamagedRightsStringsGrantOnlyTheirOnes)
{
    const struct {
        const char16_t *rights;
        QList<int> granted;
    } cases[] = {
        {u"", {}},
        {u"1", {1}},
        {u"0001", {4}},
        {u"2x1 ", {3}},
        {u"11111111111111111111111111111", {}}, // longer than 26: the 26 positions count
    };
    for (const auto &c : cases) {
        logIn(QString::fromUtf16(c.rights));
        for (int right = 1; right <= 26; ++right) {
            const bool expected = QString::fromUtf16(c.rights).size() > 26 || c.granted.contains(right);
            EXPECT_EQ(main->rightItem(right)->isEnabled(), expected)
                << QString::fromUtf16(c.rights).toStdString() << " right " << right;
        }
    }
}

TEST_F(FrmMainTest, RegisterCommandsOpenOnlyWhenTheirItemIsEnabled)
{
    for (int n = 20; n <= 26; ++n) {
        const QString name = kDialogs[n - 20];
        logIn(rightsWith({n - 2}));
        {
            ScriptedDialogs dialogs;
            dialogs.expectDialog(name, [](QDialog *) { return QDialog::Accepted; });
            main->DoIt(n);
        }
        for (int other = 20; other <= 26; ++other) {
            if (other == n)
                continue;
            ScriptedDialogs dialogs; // any window would be unexpected
            main->DoIt(other);
        }
    }
}

TEST_F(FrmMainTest, OpeningABusinessWindowClosesTheOthersInOrder)
{
    logIn(QString(26, u'1'));
    main->DoIt(8);
    main->DoIt(19);
    EXPECT_NE(main->loadedWindow(QStringLiteral("FrmProductOut")), nullptr);
    EXPECT_NE(main->loadedWindow(QStringLiteral("FrmSetProduct")), nullptr);
    g_log.clear();
    main->DoIt(7);
    EXPECT_EQ(g_log, (QStringList{QStringLiteral("close FrmProductOut"), QStringLiteral("close FrmSetProduct"),
                                  QStringLiteral("open FrmProductIn")}));
    EXPECT_EQ(main->loadedWindow(QStringLiteral("FrmProductOut")), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->mdiArea->subWindowList().size(), 1);

    // The catalogue opens beside it and comes forward again when asked a second time.
    g_log.clear();
    main->DoIt(19);
    main->DoIt(19);
    EXPECT_EQ(g_log, QStringList{QStringLiteral("open FrmSetProduct")});
    EXPECT_EQ(main->mdiArea->activeSubWindow()->widget()->objectName(), QStringLiteral("FrmSetProduct"));
}

TEST_F(FrmMainTest, IssueCommandFollowsTheIssueMode)
{
    logIn(QString(26, u'1'));
    const struct {
        qint16 mode;
        const char16_t *opens;
    } cases[] = {{0, u"FrmProductOut"}, {1, u"FrmProductOutPatch"}, {2, nullptr}, {-1, nullptr}};
    for (const auto &c : cases) {
        main->DoIt(12);
        g_log.clear();
        OutMode = c.mode;
        main->DoIt(8);
        QStringList expected{QStringLiteral("close FrmQIn")};
        if (c.opens)
            expected << QStringLiteral("open ") + QString::fromUtf16(c.opens);
        EXPECT_EQ(g_log, expected) << c.mode;
    }
}

TEST_F(FrmMainTest, AWindowReplacingItselfLivesUntilItsHandlerReturns)
{
    logIn(QString(26, u'1'));
    main->DoIt(8);
    auto *issue = static_cast<FakeWindow *>(main->loadedWindow(QStringLiteral("FrmProductOut")));
    ASSERT_NE(issue, nullptr);
    QPointer<QWidget> guard(issue);
    bool aliveAfterUnload = false;
    issue->onButton = [&] {
        main->UnloadForms();
        OutMode = 1;
        main->DoIt(8);
        aliveAfterUnload = !guard.isNull() && guard->objectName() == QStringLiteral("FrmProductOut");
    };
    issue->onButton();
    EXPECT_TRUE(aliveAfterUnload);
    EXPECT_NE(main->loadedWindow(QStringLiteral("FrmProductOutPatch")), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());

    // A window that closes itself takes its frame with it, its close handler running once.
    g_log.clear();
    main->loadedWindow(QStringLiteral("FrmProductOutPatch"))->close();
    EXPECT_EQ(g_log, QStringList{QStringLiteral("close FrmProductOutPatch")});
    EXPECT_EQ(main->loadedWindow(QStringLiteral("FrmProductOutPatch")), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main->mdiArea->subWindowList().isEmpty());
}

TEST_F(FrmMainTest, UserAdministrationNeedsASuperUserAfterClosingTheWindows)
{
    logIn(QString(26, u'1'));
    main->DoIt(11);
    {
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("您不是超级用户，无此权限！"));
        main->DoIt(29);
        EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("提示"));
        EXPECT_EQ(dialogs.shown().last().icon, platform::Icon::Exclamation);
    }
    EXPECT_EQ(main->loadedWindow(QStringLiteral("FrmQInventory")), nullptr);
    SuperUser = true;
    ScriptedDialogs dialogs;
    dialogs.expectDialog(QStringLiteral("FrmSetUser"), [](QDialog *) { return QDialog::Accepted; });
    main->DoIt(29);
}

TEST_F(FrmMainTest, EveryCommandResetsTheStatusAndUnknownNumbersDoNothingElse)
{
    for (int n : {0, 27, 38, -5}) {
        SetStatus(QStringLiteral("忙"), true);
        ScriptedDialogs dialogs;
        main->DoIt(n);
        EXPECT_EQ(main->panel(1)->text(), QStringLiteral("待命"));
    }
    EXPECT_TRUE(g_log.isEmpty());
}

TEST_F(FrmMainTest, ShellCommandsAndTheirFailures)
{
    RecordingShell shell;
    HelpFile = dir.file(QStringLiteral("澜鉴帮助.chm"));
    main->DoIt(30);
    main->DoIt(33);
    main->DoIt(36);
    main->mnuMovHelpS[8]->trigger();
    main->mnuMovHelpS[4]->trigger(); // a separator
    main->mnuTLAppPath->trigger();
    EXPECT_EQ(shell.calls, (QStringList{QStringLiteral("calculator"), QStringLiteral("help ") + HelpFile,
                                        QStringLiteral("open https://vialdesk.example.org/"),
                                        QStringLiteral("open ") + dir.path() + QStringLiteral("/Demo/21.htm"),
                                        QStringLiteral("explore ") + dir.path()}));

    shell.succeed = false;
    ScriptedDialogs dialogs;
    dialogs.expect(QStringLiteral("Dr. Watson 发现您的操作有误。")).expect(QStringLiteral("Dr. Watson 发现您的操作有误。"));
    main->DoIt(30);
    main->DoIt(33);
}

TEST_F(FrmMainTest, BackupFolderItemOffersTheOptionsOnlyWithTheirRight)
{
    RecordingShell shell;
    const QString question = QStringLiteral("当前未设置退出自动备份数据库的目录\n\n现在设置？");
    {
        logIn(rightsWith({26}));
        ScriptedDialogs dialogs;
        dialogs.expectExact(question, Answer::Yes).expectDialog(QStringLiteral("FrmOptions"), [](QDialog *) {
            return QDialog::Accepted;
        });
        main->mnuTLAutoBKPath->trigger();
    }
    {
        logIn(rightsWith({25}));
        ScriptedDialogs dialogs;
        dialogs.expectExact(question, Answer::Yes);
        main->mnuTLAutoBKPath->trigger();
    }
    {
        logIn(rightsWith({26}));
        ScriptedDialogs dialogs;
        dialogs.expectExact(question, Answer::No);
        main->mnuTLAutoBKPath->trigger();
    }
    BackupPath = dir.path() + QStringLiteral("/备份数据库/");
    main->mnuTLAutoBKPath->trigger();
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("explore ") + BackupPath});
}

TEST_F(FrmMainTest, LoggingInAgainShowsNobodyLoggedInWhileTheLoginIsOpen)
{
    logIn(QString(26, u'1'));
    main->DoIt(7);
    for (int n : {1, 2}) {
        ScriptedDialogs dialogs;
        dialogs.expectDialog(QStringLiteral("FrmLogin"), [this](QDialog *login) {
            EXPECT_FALSE(LoginOK);
            EXPECT_EQ(main->panel(3)->text(), QStringLiteral("当前用户：未登陆"));
            EXPECT_FALSE(main->tbRegIn->isEnabled());
            EXPECT_TRUE(main->tbLogin->isEnabled());
            EXPECT_EQ(login->parentWidget(), main.get());
            login->reject();
            return QDialog::Rejected;
        });
        main->DoIt(n);
    }
    EXPECT_EQ(main->loadedWindow(QStringLiteral("FrmProductIn")), nullptr);
    EXPECT_FALSE(main->mnuRWRegIn->isEnabled());
    EXPECT_EQ(main->panel(1)->text(), QStringLiteral("待命"));
}

TEST_F(FrmMainTest, CompactionAndBackupCloseTheBusinessWindowsFirst)
{
    DBPath = dir.file(QStringLiteral("Data"));
    DBFile = DBPath + QStringLiteral("/MarloSJGL.dat");
    ASSERT_TRUE(schema::writeDeliveredDatabase(DBFile, DBPassword));
    logIn(QString(26, u'1'));
    main->DoIt(11);
    {
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("数据库压缩整理完毕！"));
        main->DoIt(3);
    }
    EXPECT_EQ(main->loadedWindow(QStringLiteral("FrmQInventory")), nullptr);
    EXPECT_NE(DB(), nullptr);
    {
        // Another program has the file: the compaction cannot run and says nothing.
        dao::PresenceLock other;
        ASSERT_TRUE(other.acquire(DBFile, dao::PresenceLock::Mode::Shared));
        ScriptedDialogs dialogs;
        main->DoIt(3);
    }
    main->DoIt(12);
    {
        ScriptedDialogs dialogs;
        dialogs.expectFolder(QString());
        main->DoIt(4);
    }
    EXPECT_EQ(main->loadedWindow(QStringLiteral("FrmQIn")), nullptr);
    ModData::CloseAll();
}
