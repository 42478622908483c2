#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "dao/Database.h"
#include "dao/PresenceLock.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"
#include "schema/DeliveredDatabase.h"
#include "shell/FrmLogin.h"
#include "shell/FrmMain.h"
#include "shell/FrmWelcome.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModINI.h"
#include "shell/Startup.h"
#include "shell/WindowRegistry.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace ModBase;
using platform::Answer;

namespace {

class StartupTest : public ::testing::Test {
public: // the table's steps reach the fixture through a reference
    void SetUp() override
    {
        ResetState();
        shell::clearWindowRegistry();
        QDir().mkpath(dir.file(QStringLiteral("Data")));
    }
    void TearDown() override
    {
        platform::setAnsiCodePage(0);
        ModData::CloseAll();
    }

    QString ini() const { return dir.file(QStringLiteral("Vialdesk.ini")); }
    QString database() const { return dir.file(QStringLiteral("Data/MarloSJGL.dat")); }
    QString databaseKey() const
    {
        return ModINI::GetINI(QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), ini());
    }
    void pointSettingsAtData() const
    {
        ModINI::WriteINI(QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), dir.file(QStringLiteral("Data")),
                         ini());
    }

    TempFolder dir;
};

} // namespace

TEST_F(StartupTest, EachRefusalShowsItsMessageAndEndsTheProgram)
{
    struct Case {
        const char *what;
        std::function<void(StartupTest &)> arrange;
        QStringList boxes; // exact texts, in order; a leading "~" matches a part
        std::function<void(StartupTest &)> check;
    };
    std::unique_ptr<platform::SingleInstance> running;
    std::unique_ptr<dao::PresenceLock> holder;
    int raised = 0;
    const QList<Case> cases = {
        {"code page 950",
         [](StartupTest &) { platform::setAnsiCodePage(950); },
         {QStringLiteral("本軟體不能運行于繁體作業系統，請下載相應版本！\n\n請到本軟體的網站下載簡體中文版本。")},
         [](StartupTest &t) { EXPECT_FALSE(QFile::exists(t.ini())); }},
        {"second instance",
         [&](StartupTest &t) {
             running = std::make_unique<platform::SingleInstance>(t.dir.path());
             running->listen([&raised] { ++raised; });
         },
         {},
         [&](StartupTest &t) {
             EXPECT_TRUE(QTest::qWaitFor([&raised] { return raised > 0; }, 5000));
             EXPECT_FALSE(QFile::exists(t.ini()));
         }},
        {"unreadable settings",
         [](StartupTest &t) {
             t.pointSettingsAtData();
             ModINI::WriteINI(QStringLiteral("自动备份数据库"), QStringLiteral("自动备份"), QStringLiteral("yes"), t.ini());
         },
         {QStringLiteral("系统参数读取错误！请联系管理员。")},
         {}},
        {"missing database",
         [](StartupTest &t) { t.pointSettingsAtData(); },
         {QStringLiteral("~找不到可用的数据库！程序将终止运行，请重新打开程序，并指定数据库所在的目录。")},
         [](StartupTest &t) { EXPECT_TRUE(t.databaseKey().isEmpty()); }},
        {"damaged database",
         [](StartupTest &t) {
             t.pointSettingsAtData();
             QFile f(t.database());
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray(4096, '\x5a'));
         },
         {QStringLiteral("~试图修复它吗？"), QStringLiteral("数据库文件已损坏且未修复，程序将终止运行。")},
         {}},
        {"database held by another program",
         [&](StartupTest &t) {
             t.pointSettingsAtData();
             schema::writeDeliveredDatabase(t.database(), DBPassword);
             holder = std::make_unique<dao::PresenceLock>();
             ASSERT_TRUE(holder->acquire(t.database(), dao::PresenceLock::Mode::Exclusive));
         },
         {QStringLiteral("不能打开数据库文件“") + database() + QStringLiteral("”，文件正在使用中")},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        QFile::remove(ini());
        QFile::remove(database());
        c.arrange(*this);
        ScriptedDialogs dialogs;
        for (const QString &box : c.boxes) {
            if (box.startsWith(u'~'))
                dialogs.expect(box.mid(1), Answer::No);
            else
                dialogs.expectExact(box);
        }
        platform::SingleInstance instance(dir.path());
        EXPECT_EQ(Main(instance), nullptr);
        EXPECT_EQ(FrmMain::instance(), nullptr);
        if (c.check)
            c.check(*this);
        running.reset();
        holder.reset();
    }
}

TEST_F(StartupTest, FirstStartAsksTheOrganisationThenLogsIn)
{
    // No settings file yet: the program folder's Data is taken, where the delivered file is.
    schema::writeDeliveredDatabase(database(), DBPassword);
    QStringList order;
    ScriptedDialogs dialogs;
    dialogs
        .expectDialog(QStringLiteral("FrmWelcome"),
                      [&](QDialog *d) {
                          order << QStringLiteral("welcome");
                          auto *w = static_cast<FrmWelcome *>(d);
                          w->TxtCompany->setText(QStringLiteral("新都市人民医院检验科"));
                          w->CmdOK->click();
                          return w->result();
                      })
        .expectDialog(QStringLiteral("FrmLogin"), [&](QDialog *d) {
            order << QStringLiteral("login");
            auto *login = static_cast<FrmLogin *>(d);
            EXPECT_TRUE(FrmMain::instance()->isVisible());
            EXPECT_EQ(login->CmbUserName->currentText(), QStringLiteral("管理员"));
            login->txtPassWord->setText(QStringLiteral("526"));
            login->CmdOK->click();
            return login->result();
        });
    platform::SingleInstance instance(dir.path());
    const auto main = Main(instance);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(order, (QStringList{QStringLiteral("welcome"), QStringLiteral("login")}));
    EXPECT_EQ(IniFile, dir.file(QStringLiteral("Vialdesk.ini")));
    EXPECT_EQ(HelpFile, dir.file(QStringLiteral("澜鉴帮助.chm")));
    EXPECT_EQ(SysDate, QDate::currentDate());
    EXPECT_EQ(ConnStr, QStringLiteral(";pwd=") + DBPassword);
    EXPECT_EQ(DBFile, database());
    EXPECT_TRUE(main->windowTitle().endsWith(QStringLiteral(" V5.3.0")));
    EXPECT_EQ(main->panel(2)->text(), QStringLiteral("新都市人民医院检验科"));
    EXPECT_EQ(main->panel(3)->text(), QStringLiteral("当前用户：管理员"));
    EXPECT_TRUE(main->mnuTLOption->isEnabled());
    EXPECT_EQ(DB()->scalar(QStringLiteral("SELECT DBVer FROM DBVersion")).toString(), QStringLiteral("5.3"));

    // A later start of the same folder brings this window forward instead.
    main->showMinimized();
    platform::SingleInstance second(dir.path());
    EXPECT_EQ(Main(second), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main->isMinimized(); }, 5000));
}
