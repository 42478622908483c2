#include "ScriptedDialogs.h"
#include "StoreFixture.h"
#include "dao/PresenceLock.h"
#include "shell/FrmMain.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModINI.h"
#include "shell/Shutdown.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace ModBase;

namespace {

const QString kCompactQuestion = QStringLiteral("软件关闭前需要优化数据库，时间约需数秒到数分钟，请按确定继续");

class ShutdownTest : public StoreFixture {
protected:
    ShutdownTest() { logInUser = false; }

    QString key(const char16_t *section, const char16_t *name)
    {
        return ModINI::GetINI(QString::fromUtf16(section), QString::fromUtf16(name), IniFile);
    }
    QStringList backups(const QString &folder)
    {
        // Opening a copy to read it leaves its lock file beside it.
        return QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression(QStringLiteral("(?<!\\.lck)$")));
    }

    // Rows added and deleted again leave free pages, which only a compaction removes.
    void leaveFreePages()
    {
        ModData::OpenDB();
        dao::Transaction t(db());
        for (int i = 0; i < 300; ++i)
            store.group(QStringLiteral("组别%1").arg(i));
        t.commit();
        db().exec(QStringLiteral("DELETE FROM zubie"));
    }
    static int freePages(const QString &file)
    {
        return dao::Database::open(file, DBPassword)->scalar(QStringLiteral("PRAGMA freelist_count")).toInt();
    }
};

} // namespace

TEST_F(ShutdownTest, TheExitCounterCompactsAtTheEleventhExit)
{
    const struct {
        qint16 times;
        bool heldElsewhere;
        bool networkPath;
        const char16_t *written; // empty: not written
        bool compacted;
    } cases[] = {
        {1, false, false, u"2", false},   {10, false, false, u"11", false}, {11, false, false, u"1", true},
        {5, true, false, u"", false},     {11, true, false, u"", false},    {11, false, true, u"1", false},
        {-3, false, false, u"-2", false},
    };
    const QString localFile = DBFile;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.times);
        QFile::remove(IniFile);
        DBFile = localFile;
        leaveFreePages();
        OpenTimes = c.times;
        DBFile = c.networkPath ? u'/' + localFile : localFile;
        dao::PresenceLock other;
        if (c.heldElsewhere) {
            ASSERT_TRUE(other.acquire(localFile, dao::PresenceLock::Mode::Shared));
        }
        ScriptedDialogs dialogs;
        if (c.compacted)
            dialogs.expectExact(kCompactQuestion);
        ExitCompact();
        EXPECT_EQ(key(u"软件打开次数", u"times"), QString::fromUtf16(c.written));
        EXPECT_EQ(OpenTimes, c.heldElsewhere ? c.times : QString::fromUtf16(c.written).toInt());
        EXPECT_EQ(freePages(localFile) == 0, c.compacted);
    }
}

TEST_F(ShutdownTest, TheExitBackupIsACompleteCopyUnderTheDayAndTime)
{
    store.group(QStringLiteral("生化组"));
    AutoBackup = true;
    BackupPath = dir.file(QStringLiteral("备份数据库"));
    BackupAtExit();
    EXPECT_EQ(BackupPath, dir.file(QStringLiteral("备份数据库/")));
    EXPECT_EQ(key(u"自动备份数据库", u"备份目录"), BackupPath);
    const QStringList files = backups(BackupPath);
    ASSERT_EQ(files.size(), 1) << files.join(u' ').toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^20260115_\\d{4}MarloSJGL\\.dat$")).match(files[0]).hasMatch())
        << files[0].toStdString();
    QFile original(DBFile);
    QFile copy(BackupPath + files[0]);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), original.readAll());
    auto reopened = dao::Database::open(BackupPath + files[0], DBPassword);
    EXPECT_EQ(reopened->scalar(QStringLiteral("SELECT 组别 FROM zubie")).toString(), QStringLiteral("生化组"));

    // A second exit within the same minute replaces it.
    BackupAtExit();
    EXPECT_LE(backups(BackupPath).size(), 2);
    for (const QString &f : backups(BackupPath))
        EXPECT_TRUE(f.endsWith(QStringLiteral("MarloSJGL.dat"))) << f.toStdString();
}

TEST_F(ShutdownTest, WithoutAutoBackupTheFolderIsStillMadeAndRemembered)
{
    AutoBackup = false;
    BackupPath = dir.file(QStringLiteral("备份数据库"));
    BackupAtExit();
    EXPECT_TRUE(QDir(BackupPath).exists());
    EXPECT_EQ(key(u"自动备份数据库", u"备份目录"), dir.file(QStringLiteral("备份数据库/")));
    EXPECT_TRUE(backups(BackupPath).isEmpty());
}

TEST_F(ShutdownTest, AFolderThatCannotBeMadeIsForgotten)
{
    AutoBackup = true;
    const QString folder = dir.file(QStringLiteral("已删除/备份数据库"));
    BackupPath = folder;
    ModINI::WriteINI(QStringLiteral("自动备份数据库"), QStringLiteral("备份目录"), folder, IniFile);
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("驱动器错误！无法创建目录：") + folder + u'/');
    BackupAtExit();
    EXPECT_TRUE(BackupPath.isEmpty());
    EXPECT_TRUE(key(u"自动备份数据库", u"备份目录").isEmpty());
    EXPECT_FALSE(QDir(dir.file(QStringLiteral("已删除"))).exists());
}

TEST_F(ShutdownTest, ClosingTheMainWindowRunsTheWholeShutdown)
{
    FrmMain main;
    UserName = QStringLiteral("张工");
    AutoBackup = true;
    BackupPath = dir.file(QStringLiteral("备份数据库"));
    OpenTimes = 3;
    main.DoIt(6);
    EXPECT_EQ(key(u"上次登陆用户", u"用户名"), QStringLiteral("张工"));
    EXPECT_EQ(backups(BackupPath).size(), 1);
    EXPECT_EQ(key(u"软件打开次数", u"times"), QStringLiteral("4"));
    EXPECT_EQ(DB(), nullptr);
}
