#include "ScriptedDialogs.h"
#include "shell/FrmCheckPSW.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace ModBase;

TEST(FrmCheckPSW, OnlyTheConfirmedPasswordPasses)
{
    struct Case {
        const char *name;
        QString stored;
        QString typed;
        std::function<void(FrmCheckPSW *)> leave;
        bool result;
    };
    const auto ok = [](FrmCheckPSW *d) { QTest::mouseClick(d->CmdCHPW, Qt::LeftButton); };
    const auto enter = [](FrmCheckPSW *d) { QTest::keyClick(d->TxtFileld, Qt::Key_Return); };
    const auto cancel = [](FrmCheckPSW *d) { QTest::mouseClick(d->CmdCancel, Qt::LeftButton); };
    const auto closeBox = [](FrmCheckPSW *d) { d->close(); };
    const auto escape = [](FrmCheckPSW *d) { QTest::keyClick(d->TxtFileld, Qt::Key_Escape); };
    const Case cases[] = {
        {"right", QStringLiteral("526"), QStringLiteral("  526 "), ok, true},
        {"right, Enter", QStringLiteral("526"), QStringLiteral("526"), enter, true},
        {"wrong", QStringLiteral("526"), QStringLiteral("52"), ok, false},
        {"letter case counts", QStringLiteral("Ab"), QStringLiteral("ab"), ok, false},
        {"cancel", QStringLiteral("526"), QStringLiteral("526"), cancel, false},
        {"close box", QStringLiteral("526"), QStringLiteral("526"), closeBox, false},
        {"escape", QStringLiteral("526"), QStringLiteral("526"), escape, false},
        {"cancel, empty password", QString(), QString(), cancel, false},
        {"empty password confirmed", QString(), QString(), ok, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ResetState();
        UserPSW = c.stored;
        PSWOK = !c.result;
        ScriptedDialogs dialogs;
        dialogs.expectDialog(QStringLiteral("FrmCheckPSW"), [&](QDialog *d) {
            auto *prompt = static_cast<FrmCheckPSW *>(d);
            EXPECT_EQ(prompt->windowTitle(), QStringLiteral("密码验证"));
            EXPECT_EQ(prompt->TxtFileld->echoMode(), QLineEdit::Password);
            QTest::keyClicks(prompt->TxtFileld, c.typed);
            c.leave(prompt);
            EXPECT_FALSE(prompt->isVisible());
            return prompt->result();
        });
        EXPECT_EQ(ModData::CheckPSW(), c.result);
        EXPECT_EQ(PSWOK, c.result);
    }
}
