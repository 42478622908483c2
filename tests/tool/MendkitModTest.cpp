#include "MendkitMod.h"
#include "RecordingShell.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "platform/CodePage936.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using platform::Answer;

namespace {

// A settings file as Vialdesk leaves it, with a line of its own that nobody reads.
const QString kIni = QStringLiteral(
    "; 澜鉴\r\n"
    "[数据库]\r\n数据库所在的目录=//server/share/旧数据\r\n"
    "[自动备份数据库]\r\n自动备份=False\r\n备份目录=\r\n"
    "[失效间隔的天数]\r\n间隔=30\r\n[出库加成率]\r\n加成=1.15\r\n[软件打开次数]\r\ntimes=7\r\n"
    "[上次登陆用户]\r\n用户名=张三\r\n  其他 = 保留 \r\n"
    "[出库价确认]\r\n不需要=True\r\n");

QString replaced(QString text, const QString &from, const QString &to)
{
    EXPECT_TRUE(text.contains(from)) << from.toStdString();
    return text.replace(from, to);
}

class MendkitTest : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkdir(program); }

    void writeIni(const QString &text) const { dir.write(QStringLiteral("bin/Vialdesk.ini"), platform::cp936::encode(text)); }
    QByteArray iniBytes() const { return dir.read(QStringLiteral("bin/Vialdesk.ini")); }
    bool iniExists() const { return QFileInfo::exists(ini); }
    void expectIni(const QString &text) const { EXPECT_EQ(iniBytes(), platform::cp936::encode(text)); }

    TempFolder dir;
    const QString program = dir.file(QStringLiteral("bin"));
    const QString ini = program + QStringLiteral("/Vialdesk.ini");
    const QString proposed = dir.file(QStringLiteral("备份_试剂管理数据库"));
};

} // namespace

TEST_F(MendkitTest, ProposedBackupFolderLiesBesideTheProgramFolder)
{
    EXPECT_EQ(MendkitMod::settingsFile(program), ini);
    EXPECT_EQ(MendkitMod::proposedBackupFolder(program), proposed);
    EXPECT_EQ(MendkitMod::proposedBackupFolder(QStringLiteral("/")), QStringLiteral("/备份_试剂管理数据库"));
}

TEST_F(MendkitTest, ResetDatabaseFolderChangesOnlyItsKey)
{
    const QString data = program + QStringLiteral("/Data");
    const QString done = QStringLiteral("数据库所在的文件夹已设置为软件目录下的Data文件夹\n\n即：") + data;
    struct Case {
        bool fileThere;
        Answer answer;
        QString after; // empty: no file
    } cases[] = {
        {true, Answer::Yes, replaced(kIni, QStringLiteral("目录=//server/share/旧数据"), QStringLiteral("目录=") + data)},
        {true, Answer::No, kIni},
        {false, Answer::Yes, QStringLiteral("[数据库]\r\n数据库所在的目录=") + data + QStringLiteral("\r\n")},
        {false, Answer::No, QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.fileThere << " " << static_cast<int>(c.answer));
        QFile::remove(ini);
        if (c.fileThere)
            writeIni(kIni);
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("您确定需要重置数据库文件夹？"), c.answer);
        if (c.answer == Answer::Yes)
            dialogs.expectExact(done);
        MendkitMod::resetDatabaseFolder(program);
        EXPECT_EQ(dialogs.shown().first().buttons, platform::Buttons::YesNo);
        EXPECT_EQ(dialogs.shown().first().defaultButton, Answer::No);
        if (c.after.isEmpty())
            EXPECT_FALSE(iniExists());
        else
            expectIni(c.after);
    }
}

TEST_F(MendkitTest, SetBackupFolderFillsAnEmptyKeyAndCreatesTheFolder)
{
    const QString both = QStringLiteral("自动备份=True\r\n备份目录=") + proposed + QStringLiteral("\r\n");
    const struct {
        const char *what;
        QString before; // empty: no file
        QString after;
    } cases[] = {
        {"blank key", kIni, replaced(kIni, QStringLiteral("自动备份=False\r\n备份目录=\r\n"), both)},
        {"no key", replaced(kIni, QStringLiteral("备份目录=\r\n"), QString()),
         replaced(kIni, QStringLiteral("自动备份=False\r\n备份目录=\r\n"), both)},
        {"no file", QString(), QStringLiteral("[自动备份数据库]\r\n") + both},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(ini);
        QDir(proposed).removeRecursively();
        if (!c.before.isEmpty())
            writeIni(c.before);
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("已设置好数据库自动备份文件夹为：") + proposed);
        MendkitMod::setBackupFolder(program, proposed);
        expectIni(c.after);
        EXPECT_TRUE(QFileInfo(proposed).isDir());
    }
}

TEST_F(MendkitTest, SetBackupFolderWhenOneIsSetOnlySwitchesAutoBackupOn)
{
    const QString before = replaced(kIni, QStringLiteral("备份目录=\r\n"), QStringLiteral("备份目录=/备份/别处/\r\n"));
    writeIni(before);
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("已设置好数据库自动备份文件夹，无需再次设置"));
    MendkitMod::setBackupFolder(program, proposed);
    expectIni(replaced(before, QStringLiteral("自动备份=False"), QStringLiteral("自动备份=True")));
    EXPECT_FALSE(QFileInfo::exists(proposed));
}

TEST_F(MendkitTest, BackupFolderThatCannotBeMadeWritesNothing)
{
    writeIni(kIni);
    const QString cases[] = {dir.file(QStringLiteral("没有/备份_试剂管理数据库")), dir.file(QStringLiteral("一个文件"))};
    dir.write(QStringLiteral("一个文件"), "x");
    for (const QString &folder : cases) {
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("驱动器错误！无法创建目录：") + folder);
        MendkitMod::setBackupFolder(program, folder);
        expectIni(kIni);
    }
}

TEST_F(MendkitTest, FailedSettingsWriteIsReportedNotShownAsSuccess)
{
    // A folder in the settings file's place cannot be written as a file.
    QDir().mkdir(ini);
    ScriptedDialogs dialogs;
    dialogs.expect(QStringLiteral("您确定需要重置数据库文件夹？"), Answer::Yes)
        .expect(QStringLiteral("配置文件写入失败"))
        .expect(QStringLiteral("配置文件写入失败"));
    MendkitMod::resetDatabaseFolder(program);
    MendkitMod::setBackupFolder(program, proposed);
    EXPECT_TRUE(QFileInfo(ini).isDir());
}

TEST_F(MendkitTest, OpenFoldersThroughTheShell)
{
    writeIni(replaced(kIni, QStringLiteral("备份目录=\r\n"), QStringLiteral("备份目录=/备份/澜鉴/\r\n")));
    RecordingShell shell;
    ScriptedDialogs dialogs;
    MendkitMod::openProgramFolder(program);
    MendkitMod::openBackupFolder(program);
    EXPECT_EQ(shell.calls, QStringList({QStringLiteral("explore ") + program, QStringLiteral("explore /备份/澜鉴/")}));

    shell.succeed = false;
    dialogs.expectExact(QStringLiteral("无法打开文件夹：") + program)
        .expectExact(QStringLiteral("无法打开文件夹：/备份/澜鉴/"));
    MendkitMod::openProgramFolder(program);
    MendkitMod::openBackupFolder(program);
}

TEST_F(MendkitTest, OpenBackupFolderWithoutOneSaysSo)
{
    RecordingShell shell;
    for (bool fileThere : {true, false}) {
        QFile::remove(ini);
        if (fileThere)
            writeIni(kIni);
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("未发现数据库自动备份文件夹！请务必用下一条命令设置"));
        MendkitMod::openBackupFolder(program);
        EXPECT_EQ(iniExists(), fileThere);
    }
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(MendkitTest, CopyToDesktopReplacesAnEarlierCopyByteForByte)
{
    const QString desktop = dir.file(QStringLiteral("桌面"));
    QDir().mkdir(desktop);
    dir.write(QStringLiteral("桌面/澜鉴配置文件.ini"), "earlier copy, longer than nothing");
    writeIni(kIni);
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("配置文件已成功复制到桌面！"));
    MendkitMod::copyToDesktop(program, desktop);
    EXPECT_EQ(dir.read(QStringLiteral("桌面/澜鉴配置文件.ini")), iniBytes());
    expectIni(kIni);
}

TEST_F(MendkitTest, CopyToDesktopFailuresGetAMessage)
{
    const QString desktop = dir.file(QStringLiteral("桌面"));
    {
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("未发现配置文件：") + ini);
        MendkitMod::copyToDesktop(program, desktop);
    }
    writeIni(kIni);
    // A desktop that cannot be made: its place is taken by a file.
    dir.write(QStringLiteral("文件"), "not a folder");
    ScriptedDialogs dialogs;
    dialogs.expect(QStringLiteral("配置文件复制到桌面失败！"));
    MendkitMod::copyToDesktop(program, dir.file(QStringLiteral("文件/桌面")));
    EXPECT_FALSE(QFileInfo::exists(desktop));
}

TEST_F(MendkitTest, CopyToDesktopMakesAMissingDesktopFolder)
{
    const QString desktop = dir.file(QStringLiteral("主目录/桌面"));
    writeIni(kIni);
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("配置文件已成功复制到桌面！"));
    MendkitMod::copyToDesktop(program, desktop);
    EXPECT_EQ(dir.read(QStringLiteral("主目录/桌面/澜鉴配置文件.ini")), iniBytes());
}

TEST_F(MendkitTest, RunningVialdeskIsWarnedAboutBeforeAChange)
{
    platform::SingleInstance vialdesk(program);
    ASSERT_TRUE(vialdesk.listen({}));
    const QString warning = QStringLiteral("澜鉴正在运行");
    for (Answer answer : {Answer::No, Answer::Yes}) {
        writeIni(kIni);
        QDir(proposed).removeRecursively();
        ScriptedDialogs dialogs;
        dialogs.expect(QStringLiteral("您确定需要重置数据库文件夹？"), Answer::Yes).expect(warning, answer);
        if (answer == Answer::Yes)
            dialogs.expect(QStringLiteral("数据库所在的文件夹已设置为"));
        dialogs.expect(warning, answer);
        if (answer == Answer::Yes)
            dialogs.expect(QStringLiteral("已设置好数据库自动备份文件夹为："));
        MendkitMod::resetDatabaseFolder(program);
        MendkitMod::setBackupFolder(program, proposed);
        EXPECT_EQ(iniBytes() == platform::cp936::encode(kIni), answer == Answer::No);
        EXPECT_EQ(QFileInfo::exists(proposed), answer == Answer::Yes);
        EXPECT_EQ(dialogs.shown().at(1).defaultButton, Answer::No);
    }
}
