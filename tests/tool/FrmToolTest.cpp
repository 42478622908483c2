#include "FrmTool.h"
#include "RecordingShell.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "platform/CodePage936.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using platform::Answer;

namespace {

QPushButton *button(FrmTool &w, int i)
{
    QPushButton *b = w.findChild<QPushButton *>(QStringLiteral("Cmd_%1").arg(i));
    EXPECT_NE(b, nullptr) << i;
    return b;
}

} // namespace

TEST(FrmTool, ShowsTheNumberedCommandsAndTheProposedFolder)
{
    TempFolder dir;
    FrmTool w(dir.file(QStringLiteral("bin")), dir.file(QStringLiteral("桌面")));
    const QString captions[] = {QStringLiteral("1、复制配置文件到桌面"), QStringLiteral("2、重置数据库文件夹"),
                                QStringLiteral("3、进入软件文件夹"), QStringLiteral("4、进入数据库自动备份文件夹"),
                                QStringLiteral("5、设置数据库自动备份文件夹"), QStringLiteral("6、关  闭")};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(button(w, i)->text(), captions[i]);
    EXPECT_EQ(w.findChild<QLabel *>(QStringLiteral("Label1"))->text(), dir.file(QStringLiteral("备份_试剂管理数据库")));
}

// A store keeper whose Vialdesk lost its folders mends the settings file button by button.
TEST(FrmTool, RepairsTheSettingsFileButtonByButton)
{
    TempFolder dir;
    const QString program = dir.file(QStringLiteral("bin"));
    const QString desktop = dir.file(QStringLiteral("桌面"));
    const QString backup = dir.file(QStringLiteral("备份_试剂管理数据库"));
    QDir().mkdir(desktop);
    const QByteArray before = platform::cp936::encode(
        QStringLiteral("[数据库]\r\n数据库所在的目录=\r\n[上次登陆用户]\r\n用户名=张三\r\n"));
    dir.write(QStringLiteral("bin/Vialdesk.ini"), before);

    RecordingShell shell;
    ScriptedDialogs dialogs;
    FrmTool w(program, desktop);
    w.show();

    dialogs.expectExact(QStringLiteral("配置文件已成功复制到桌面！"));
    QTest::mouseClick(button(w, 0), Qt::LeftButton);
    EXPECT_EQ(dir.read(QStringLiteral("桌面/澜鉴配置文件.ini")), before);

    dialogs.expect(QStringLiteral("您确定需要重置数据库文件夹？"), Answer::Yes)
        .expect(QStringLiteral("即：") + program + QStringLiteral("/Data"));
    QTest::mouseClick(button(w, 1), Qt::LeftButton);

    dialogs.expect(QStringLiteral("未发现数据库自动备份文件夹！"));
    QTest::mouseClick(button(w, 3), Qt::LeftButton);

    dialogs.expect(QStringLiteral("已设置好数据库自动备份文件夹为：") + backup);
    QTest::mouseClick(button(w, 4), Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(backup).isDir());

    QTest::mouseClick(button(w, 3), Qt::LeftButton);
    QTest::mouseClick(button(w, 2), Qt::LeftButton);
    EXPECT_EQ(shell.calls, QStringList({QStringLiteral("explore ") + backup, QStringLiteral("explore ") + program}));

    EXPECT_EQ(dir.read(QStringLiteral("bin/Vialdesk.ini")),
              platform::cp936::encode(QStringLiteral("[数据库]\r\n数据库所在的目录=") + program
                                      + QStringLiteral("/Data\r\n[上次登陆用户]\r\n用户名=张三\r\n"
                                                       "[自动备份数据库]\r\n自动备份=True\r\n备份目录=")
                                      + backup + QStringLiteral("\r\n")));
    for (const platform::MessageBoxSpec &box : dialogs.shown()) {
        EXPECT_EQ(box.icon, platform::Icon::None) << box.text.toStdString();
        EXPECT_EQ(box.owner, &w);
    }

    QTest::mouseClick(button(w, 5), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST(FrmTool, EnterPressesTheFocusedButton)
{
    TempFolder dir;
    ScriptedDialogs dialogs;
    FrmTool w(dir.file(QStringLiteral("bin")), dir.file(QStringLiteral("桌面")));
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    button(w, 1)->setFocus();
    dialogs.expect(QStringLiteral("您确定需要重置数据库文件夹？"), Answer::No);
    QTest::keyClick(button(w, 1), Qt::Key_Return);
    EXPECT_TRUE(dialogs.done());
}
