#include "RecordingShell.h"
#include "ScriptedDialogs.h"
#include "StoreFixture.h"
#include "shell/FrmLogin.h"
#include "shell/FrmMain.h"
#include "shell/ModBase.h"
#include "shell/WindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace ModBase;

namespace {

const QString kReminder =
    QStringLiteral("为了数据库的安全，必须设置好自动备份数据库的目录\n\n菜单-系统工具-选项，在选项窗口中完成设置");

// The warning window: making it works out whether it has something to show.
bool g_tipHasRows = false;
int g_tipsMade = 0;

class FrmLoginTest : public StoreFixture {
protected:
    FrmLoginTest() { logInUser = false; }

    void SetUp() override
    {
        StoreFixture::SetUp();
        BackupPath = dir.file(QStringLiteral("备份数据库"));
        AutoBackup = true;
        g_tipHasRows = false;
        g_tipsMade = 0;
        shell::registerWindow(QStringLiteral("FrmQTip"), [](QWidget *parent) {
            auto *d = new QDialog(parent);
            d->setObjectName(QStringLiteral("FrmQTip"));
            ++g_tipsMade;
            HasTip = g_tipHasRows;
            return d;
        });
        shell::registerWindow(QStringLiteral("FrmProductOut"), [](QWidget *) {
            auto *w = new QWidget;
            w->setObjectName(QStringLiteral("FrmProductOut"));
            return w;
        });
    }

    void addUser(const QString &name, const QString &password, const QString &rights, bool active = true,
                 bool super = false)
    {
        store.user({.name = name, .code = QStringLiteral("9"), .password = password, .super = super, .rights = rights,
                    .active = active});
    }

    void type(FrmLogin &login, const QString &name, const QString &password)
    {
        login.CmbUserName->setEditText(name);
        login.txtPassWord->setText(password);
    }
};

} // namespace

TEST_F(FrmLoginTest, AnEmptyDatabaseGetsTheAdministratorAndTheStarterRowsOnce)
{
    FrmLogin first;
    const dao::Result admin = db().select(QStringLiteral("SELECT 代码,用户名,密码,超级用户,权限,在职显示 FROM yonghu"));
    ASSERT_EQ(admin.size(), 1);
    EXPECT_EQ(admin[0].values(), (QVariantList{QStringLiteral("1"), QStringLiteral("管理员"), QStringLiteral("526"), -1,
                                               QString(26, u'1'), -1}));
    const std::pair<const char *, int> starters[] = {{"zubie", 5},    {"renlingren", 2},    {"renlingbumen", 5},
                                                     {"changshang", 3}, {"gongyingshang", 1}, {"danwei", 5},
                                                     {"shijijibenxinxi", 2}};
    for (const auto &[table, rows] : starters)
        EXPECT_EQ(count(QString::fromLatin1(table)), rows) << table;
    EXPECT_EQ(first.CmbUserName->currentText(), QStringLiteral("管理员"));
    EXPECT_FALSE(first.LabTip->isHidden());
    EXPECT_EQ(first.LabTip->text(), QStringLiteral("初始用户名\"管理员\"，密码526"));

    // Every user gone: the administrator comes back, the registers keep what they hold.
    db().exec(QStringLiteral("DELETE FROM yonghu"));
    db().exec(QStringLiteral("DELETE FROM zubie WHERE 组别='细菌组'"));
    FrmLogin second;
    EXPECT_EQ(count(QStringLiteral("yonghu")), 1);
    EXPECT_EQ(count(QStringLiteral("zubie")), 4);
    EXPECT_EQ(count(QStringLiteral("shijijibenxinxi")), 2);
    FrmLogin third;
    EXPECT_EQ(count(QStringLiteral("yonghu")), 1);
}

TEST_F(FrmLoginTest, StarterReagentsReferToTheManufacturersJustAdded)
{
    // Keys once handed out are never given again: the starters get 4, 5 and 6.
    for (int i = 0; i < 3; ++i)
        db().exec(QStringLiteral("INSERT INTO changshang (拼音码,厂商) VALUES ('X', '旧厂商')"));
    db().exec(QStringLiteral("DELETE FROM changshang"));
    FrmLogin login;
    const dao::Result r = db().select(QStringLiteral(
        "SELECT s.品名, c.厂商 FROM shijijibenxinxi s JOIN changshang c ON c.厂商ID = s.厂商ID ORDER BY s.试剂ID"));
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0].text(1), QStringLiteral("上海荣盛"));
    EXPECT_EQ(r[1].text(0), QStringLiteral("热敏打印纸"));
    EXPECT_EQ(r[1].text(1), QStringLiteral("通用厂商"));
}

TEST_F(FrmLoginTest, OnlyActiveUsersAreListedInNameOrder)
{
    addUser(QStringLiteral("张工"), QStringLiteral("1"), QString(26, u'0'));
    addUser(QStringLiteral("王工"), QStringLiteral("1"), QString(26, u'0'), false);
    addUser(QStringLiteral("艾工"), QStringLiteral("1"), QString(26, u'0'));
    LastUser = QStringLiteral("王工");
    FrmLogin login;
    QStringList names;
    for (int i = 0; i < login.CmbUserName->count(); ++i)
        names << login.CmbUserName->itemText(i);
    EXPECT_EQ(names, (QStringList{QStringLiteral("艾工"), QStringLiteral("张工")}));
    // The remembered user is shown even when no longer active, and refused at the check.
    EXPECT_EQ(login.CmbUserName->currentText(), QStringLiteral("王工"));
    EXPECT_TRUE(login.LabTip->isHidden());
    login.txtPassWord->setText(QStringLiteral("1"));
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("无此用户或已离开当前岗位！"));
    login.CmdOK->click();
    EXPECT_FALSE(LoginOK);
}

TEST_F(FrmLoginTest, RefusalsComeInScreenOrder)
{
    FrmLogin login;
    addUser(QStringLiteral("Chen"), QStringLiteral(" 9 "), QString(26, u'1'));
    addUser(QStringLiteral("停用者"), QStringLiteral("1"), QString(26, u'1'), false);
    const struct {
        const char16_t *name;
        const char16_t *password;
        const char16_t *message;
        bool focusOnName;
        bool nameCleared;
        bool passwordCleared;
    } cases[] = {
        {u"", u"526", u"请输入用户名称          ", true, false, false},
        {u"   ", u"526", u"请输入用户名称          ", true, false, false},
        {u"管理员", u"", u"请输入密码          ", false, false, false},
        {u"管理员", u"527", u"密码不符！          ", false, false, true},
        {u"停用者", u"1", u"无此用户或已离开当前岗位！", true, true, true},
        {u"chen", u" 9 ", u"无此用户或已离开当前岗位！", true, true, true},
        {u"Chen", u" 9 ", u"密码不符！          ", false, false, true}, // typed blanks are trimmed
    };
    login.show();
    login.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&login));
    for (const auto &c : cases) {
        const QString name = QString::fromUtf16(c.name);
        type(login, name, QString::fromUtf16(c.password));
        login.CmdCancel->setFocus();
        ScriptedDialogs dialogs;
        dialogs.expectExact(QString::fromUtf16(c.message));
        login.CmdOK->click();
        EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("登陆"));
        EXPECT_EQ(dialogs.shown().last().icon, platform::Icon::Information);
        QWidget *focus = c.focusOnName ? static_cast<QWidget *>(login.CmbUserName) : login.txtPassWord;
        EXPECT_TRUE(focus->hasFocus() || focus->isAncestorOf(QApplication::focusWidget())) << name.toStdString();
        EXPECT_EQ(login.CmbUserName->currentText().isEmpty(), c.nameCleared || name.isEmpty()) << name.toStdString();
        EXPECT_EQ(login.txtPassWord->text().isEmpty(), c.passwordCleared || QString::fromUtf16(c.password).isEmpty());
        EXPECT_TRUE(login.isVisible());
        EXPECT_FALSE(LoginOK);
    }
}

TEST_F(FrmLoginTest, StandsInTheMiddleOfTheScreenWhereverItsOwnerIs)
{
    QWidget owner; // a main window not yet at its maximised size
    owner.setGeometry(0, 0, 320, 240);
    owner.show();
    FrmLogin login(&owner);
    login.show();
    const QPoint off = login.frameGeometry().center() - login.screen()->availableGeometry().center();
    EXPECT_LE(off.manhattanLength(), 2) << off.x() << "," << off.y();
}

TEST_F(FrmLoginTest, WithNoActiveUserAtAllTheUserIsToldSo)
{
    FrmLogin login;
    db().exec(QStringLiteral("UPDATE yonghu SET 在职显示=0"));
    type(login, QStringLiteral("管理员"), QStringLiteral("526"));
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("无此用户或已离开当前岗位！"));
    login.CmdOK->click();
}

TEST_F(FrmLoginTest, ADatabaseFailureShowsTheErrorBoxAndKeepsTheWindow)
{
    FrmLogin login;
    db().exec(QStringLiteral("DROP TABLE yonghu"));
    type(login, QStringLiteral("管理员"), QStringLiteral("526"));
    ScriptedDialogs dialogs;
    dialogs.expect(QStringLiteral("Dr. Watson 发现您的操作有误。"));
    login.CmdOK->click();
    EXPECT_FALSE(LoginOK);
    EXPECT_EQ(login.result(), 0);
}

TEST_F(FrmLoginTest, SuccessPublishesTheUserAndAppliesTheRights)
{
    FrmMain main;
    addUser(QStringLiteral("张工"), QStringLiteral("abc"), QStringLiteral("00001000001"), true, true);
    FrmLogin login(&main);
    EXPECT_EQ(main.panel(3)->text(), QStringLiteral("当前用户：未登陆"));
    EXPECT_EQ(main.panel(1)->text(), QStringLiteral("用户登陆..."));
    type(login, QStringLiteral(" 张工 "), QStringLiteral(" abc"));
    login.CmdOK->click();
    EXPECT_EQ(login.result(), QDialog::Accepted);
    EXPECT_TRUE(LoginOK);
    EXPECT_EQ(UserName, QStringLiteral("张工"));
    EXPECT_EQ(UserPSW, QStringLiteral("abc"));
    EXPECT_TRUE(SuperUser);
    EXPECT_EQ(UserQX, QStringLiteral("00001000001"));
    EXPECT_EQ(UserID, db().scalar(QStringLiteral("SELECT 用户ID FROM yonghu WHERE 用户名='张工'")).toInt());
    EXPECT_EQ(main.panel(1)->text(), QStringLiteral("待命"));
    EXPECT_EQ(main.panel(3)->text(), QStringLiteral("当前用户：张工"));
    for (int right = 1; right <= 26; ++right)
        EXPECT_EQ(main.rightItem(right)->isEnabled(), right == 5 || right == 11) << right;
    EXPECT_TRUE(main.tbRegOut->isEnabled());
    EXPECT_TRUE(main.tbQRegStore->isEnabled());
    EXPECT_FALSE(main.tbRegIn->isEnabled());
}

TEST_F(FrmLoginTest, CancelLeavesNobodyLoggedIn)
{
    FrmMain main;
    FrmLogin login(&main);
    login.CmdCancel->click();
    EXPECT_EQ(login.result(), QDialog::Rejected);
    EXPECT_FALSE(LoginOK);
    EXPECT_FALSE(main.mnuRWRegIn->isEnabled());
    EXPECT_EQ(main.panel(3)->text(), QStringLiteral("当前用户：未登陆"));
}

TEST_F(FrmLoginTest, TheChainAfterALogin)
{
    const struct {
        bool tipNow;
        bool tipHasRows;
        bool autoBackup;
        bool emptyBackupPath;
        bool networkPath;
        bool autoOut;
        const char16_t *rights;
        bool tipShown;
        bool reminder;
        bool issueWindow;
    } cases[] = {
        {true, true, true, false, false, false, u"1", true, false, false},
        {true, false, true, false, false, false, u"1", false, false, false},
        {false, true, true, false, false, false, u"1", false, false, false},
        {false, false, false, false, false, false, u"1", false, true, false},
        {false, false, true, true, false, false, u"1", false, true, false},
        {false, false, true, true, true, false, u"1", false, false, false},
        {false, false, true, false, false, true, u"00001", false, false, true},
        {false, false, true, false, false, true, u"11110", false, false, false},
    };
    const QString localFile = DBFile;
    for (const auto &c : cases) {
        FrmMain main;
        TipNow = c.tipNow;
        g_tipHasRows = c.tipHasRows;
        g_tipsMade = 0;
        AutoBackup = c.autoBackup;
        BackupPath = c.emptyBackupPath ? QString() : dir.file(QStringLiteral("备份数据库"));
        AutoOut = c.autoOut;
        db().exec(QStringLiteral("DELETE FROM yonghu"));
        addUser(QStringLiteral("张工"), QStringLiteral("1"), QString::fromUtf16(c.rights));
        // A path that begins with a double slash is a network path; here it is the same file.
        DBFile = c.networkPath ? u'/' + localFile : localFile;
        FrmLogin login(&main);
        type(login, QStringLiteral("张工"), QStringLiteral("1"));
        ScriptedDialogs dialogs;
        QWidget *tipOwner = nullptr;
        if (c.tipShown)
            dialogs.expectDialog(QStringLiteral("FrmQTip"), [&](QDialog *d) {
                tipOwner = d->parentWidget();
                return QDialog::Accepted;
            });
        if (c.reminder)
            dialogs.expectExact(kReminder);
        login.CmdOK->click();
        ASSERT_TRUE(LoginOK);
        EXPECT_EQ(g_tipsMade, c.tipNow ? 1 : 0);
        if (c.tipShown) {
            EXPECT_EQ(tipOwner, &main);
        }
        if (c.reminder) {
            EXPECT_EQ(dialogs.shown().last().icon, platform::Icon::None);
        }
        EXPECT_EQ(main.loadedWindow(QStringLiteral("FrmProductOut")) != nullptr, c.issueWindow);
    }
}

TEST_F(FrmLoginTest, HelpAsksForTheKindOfHelp)
{
    RecordingShell shell;
    FrmLogin login;
    // The menu is answered once it is up; the last run closes it without a choice.
    for (int choice : {1, 2, 0}) {
        QTimer::singleShot(0, &login, [choice] {
            QMenu *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            if (choice > 0)
                menu->actions().at(choice - 1)->trigger();
            menu->close();
        });
        login.CmdHelp->click();
        EXPECT_EQ(HelpKind, 3);
    }
    EXPECT_EQ(shell.calls, (QStringList{QStringLiteral("help ") + HelpFile + QStringLiteral("::/2.htm#22"),
                                        QStringLiteral("open ") + dir.path() + QStringLiteral("/Demo/1.htm")}));
}
