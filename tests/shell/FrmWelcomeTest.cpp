#include "ScriptedDialogs.h"
#include "StoreFixture.h"
#include "shell/FrmMain.h"
#include "shell/FrmWelcome.h"
#include "shell/ModBase.h"
#include "shell/ModINI.h"
#include "shell/Organisation.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace ModBase;

namespace {

class FrmWelcomeTest : public StoreFixture {
protected:
    FrmWelcomeTest() { logInUser = false; }

    QString backupKey() { return ModINI::GetINI(QStringLiteral("自动备份数据库"), QStringLiteral("备份目录"), IniFile); }
};

// Plays the user: types each name in turn and presses OK; the dialog's result is returned.
ScriptedDialogs::DialogHandler answer(QStringList names)
{
    return [names](QDialog *d) {
        auto *w = static_cast<FrmWelcome *>(d);
        for (const QString &n : names) {
            w->TxtCompany->setText(n);
            w->CmdOK->click();
            if (w->result() == QDialog::Accepted)
                return QDialog::Accepted;
        }
        return QDialog::Rejected;
    };
}

} // namespace

TEST_F(FrmWelcomeTest, AStoredNameIsReadWithoutAsking)
{
    db().exec(QStringLiteral("INSERT INTO danweixinxi (单位名称) VALUES ('  新都市人民医院  ')"));
    ScriptedDialogs dialogs;
    LoadOrganisation();
    EXPECT_EQ(UnitName, QStringLiteral("新都市人民医院"));
}

TEST_F(FrmWelcomeTest, TheFirstStartAsksUntilANameIsGiven)
{
    FrmWelcome probe;
    EXPECT_EQ(probe.windowTitle(), QStringLiteral("欢迎使用"));
    EXPECT_EQ(probe.lblWelcome->text(),
              QStringLiteral("请输入单位名称或部门名称\n例如：“新都市人民医院”或\n       “新都市人民医院检验科”"));

    ScriptedDialogs dialogs;
    dialogs.expectDialog(QStringLiteral("FrmWelcome"), answer({QString(), QStringLiteral("   "), QStringLiteral(" 检验科 ")}));
    LoadOrganisation();
    EXPECT_EQ(UnitName, QStringLiteral("检验科"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 单位名称 FROM danweixinxi")).toString(), QStringLiteral("检验科"));
    EXPECT_EQ(BackupPath, dir.path() + QStringLiteral("/备份数据库"));
    EXPECT_EQ(backupKey(), BackupPath);
}

TEST_F(FrmWelcomeTest, ABlankStoredNameIsAskedForAndFilledInPlace)
{
    db().exec(QStringLiteral("INSERT INTO danweixinxi (单位名称) VALUES (' ')"));
    for (int start = 0; start < 2; ++start) {
        UnitName.clear();
        db().exec(QStringLiteral("UPDATE danweixinxi SET 单位名称=NULL"));
        ScriptedDialogs dialogs;
        dialogs.expectDialog(QStringLiteral("FrmWelcome"), answer({QStringLiteral("检验科")}));
        LoadOrganisation();
        EXPECT_EQ(UnitName, QStringLiteral("检验科"));
    }
    EXPECT_EQ(count(QStringLiteral("danweixinxi")), 1);
}

TEST_F(FrmWelcomeTest, NoNameEndsTheProgramSilentlyWithTheDatabaseClosed)
{
    FrmMain main;
    ScriptedDialogs dialogs;
    dialogs.expectDialog(QStringLiteral("FrmWelcome"), answer({}));
    EXPECT_FALSE(main.load());
    EXPECT_TRUE(UnitName.isEmpty());
    EXPECT_EQ(DB(), nullptr);
    EXPECT_TRUE(backupKey().isEmpty());
}

TEST_F(FrmWelcomeTest, TheMainWindowShowsTheNameAndTheVersion)
{
    db().exec(QStringLiteral("INSERT INTO danweixinxi (单位名称) VALUES ('新都市人民医院')"));
    FrmMain main;
    ASSERT_TRUE(main.load());
    EXPECT_EQ(main.panel(2)->text(), QStringLiteral("新都市人民医院"));
    EXPECT_EQ(main.windowTitle(), platform::appTitle() + QStringLiteral(" V5.3.0"));
}
