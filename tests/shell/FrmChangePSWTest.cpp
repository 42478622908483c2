#include "ScriptedDialogs.h"
#include "StoreFixture.h"
#include "shell/FrmChangePSW.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ModBase;

namespace {

class FrmChangePSWTest : public StoreFixture {
protected:
    QString stored() { return db().scalar(QStringLiteral("SELECT 密码 FROM yonghu WHERE 用户ID = ?"), {UserID}).toString(); }

    static void type(FrmChangePSW &dlg, const QString &old, const QString &fresh, const QString &again)
    {
        typeInto(dlg.TxtFileld[0], old);
        typeInto(dlg.TxtFileld[1], fresh);
        typeInto(dlg.TxtFileld[2], again);
        QTest::mouseClick(dlg.CmdCHPW, Qt::LeftButton);
    }
};

} // namespace

TEST_F(FrmChangePSWTest, MismatchClearsTheNewPasswordsAndStaysOpen)
{
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("密码确认错误！请重新输入新密码"));
    FrmChangePSW dlg;
    dlg.show();
    type(dlg, QStringLiteral("526"), QStringLiteral("abc"), QStringLiteral("abd"));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.TxtFileld[1]->text().isEmpty() && dlg.TxtFileld[2]->text().isEmpty());
    EXPECT_EQ(dlg.TxtFileld[0]->text(), QStringLiteral("526"));
    EXPECT_EQ(stored(), QStringLiteral("526"));
}

TEST_F(FrmChangePSWTest, WrongOldPasswordChangesNothingAndCloses)
{
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("旧密码不符！"));
    FrmChangePSW dlg;
    dlg.show();
    type(dlg, QStringLiteral("52"), QStringLiteral("new"), QStringLiteral("new"));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(stored(), QStringLiteral("526"));
    EXPECT_EQ(UserPSW, QStringLiteral("526"));
}

TEST_F(FrmChangePSWTest, SuccessStoresTheTrimmedPasswordAndThePromptAcceptsIt)
{
    {
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("密码更改成功！"));
        FrmChangePSW dlg;
        dlg.show();
        type(dlg, QStringLiteral(" 526 "), QStringLiteral(" 新密码 "), QStringLiteral("新密码"));
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(stored(), QStringLiteral("新密码"));
    EXPECT_EQ(UserPSW, QStringLiteral("新密码"));

    ScriptedDialogs dialogs;
    dialogs.expectDialog(QStringLiteral("FrmCheckPSW"), [](QDialog *d) {
        typeInto(d->findChild<QLineEdit *>(QStringLiteral("TxtFileld")), QStringLiteral("新密码"));
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("CmdCHPW")), Qt::LeftButton);
        return d->result();
    });
    EXPECT_TRUE(ModData::CheckPSW());
}
