#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "dao/Database.h"
#include "dao/PresenceLock.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModINI.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace ModBase;
using platform::Answer;

namespace {

class CheckDBTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetState();
        IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
        QDir().mkpath(dir.file(QStringLiteral("Data")));
        ModINI::WriteINI(QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), dir.file(QStringLiteral("Data")),
                         IniFile);
        DBFile = dir.file(QStringLiteral("Data/MarloSJGL.dat"));
    }
    void TearDown() override { ModData::CloseAll(); }

    void makeDatabase(const QString &name = QStringLiteral("MarloSJGL.dat"))
    {
        auto db = dao::Database::create(dir.file(QStringLiteral("Data/") + name), DBPassword);
        db->execScript(QStringLiteral("CREATE TABLE t(a INTEGER PRIMARY KEY, b TEXT); INSERT INTO t(b) VALUES('x');"));
    }
    QString databaseKey() const
    {
        return ModINI::GetINI(QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), IniFile);
    }

    TempFolder dir;
};

} // namespace

TEST_F(CheckDBTest, MissingFileStopsAndClearsTheFolderKey)
{
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("找不到可用的数据库！程序将终止运行，请重新打开程序，并指定数据库所在的目录。\n\n如仍有问题请联系开发商"));
    EXPECT_FALSE(ModData::CheckDB());
    EXPECT_TRUE(databaseKey().isEmpty());
    EXPECT_FALSE(QFile::exists(DBFile));
}

TEST_F(CheckDBTest, EmptyDatabasePathStopsTheSameWay)
{
    DBFile.clear();
    ScriptedDialogs dialogs;
    dialogs.expect(QStringLiteral("找不到可用的数据库！程序将终止运行，请重新打开程序"));
    EXPECT_FALSE(ModData::CheckDB());
}

TEST_F(CheckDBTest, ANameDifferingInLetterCaseIsOpened)
{
    makeDatabase(QStringLiteral("marlosjgl.DAT"));
    ScriptedDialogs dialogs;
    ASSERT_TRUE(ModData::CheckDB());
    ASSERT_NE(DB(), nullptr);
    EXPECT_EQ(DB()->scalar(QStringLiteral("SELECT b FROM t")).toString(), QStringLiteral("x"));
}

TEST_F(CheckDBTest, FileHeldExclusivelyStopsWithItsMessage)
{
    makeDatabase();
    dao::PresenceLock other;
    ASSERT_TRUE(other.acquire(DBFile, dao::PresenceLock::Mode::Exclusive));
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("不能打开数据库文件“") + DBFile + QStringLiteral("”，文件正在使用中"));
    EXPECT_FALSE(ModData::CheckDB());
    EXPECT_EQ(dialogs.shown().last().icon, platform::Icon::Information);
}

TEST_F(CheckDBTest, DamagedFileIsRepairedOnYesAndEndsOnNo)
{
    makeDatabase();
    QFile f(DBFile);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.write(QByteArray(64, '\x11')); // the first page no longer decrypts
    f.close();
    {
        ScriptedDialogs dialogs;
        dialogs.expect(QStringLiteral("试图修复它吗？"), Answer::No)
            .expectExact(QStringLiteral("数据库文件已损坏且未修复，程序将终止运行。"));
        EXPECT_FALSE(ModData::CheckDB());
        EXPECT_EQ(DB(), nullptr);
    }
    {
        // Nothing of this file is readable: the message names it and the file stays as it was.
        const QByteArray before = dir.read(QStringLiteral("Data/MarloSJGL.dat"));
        ScriptedDialogs dialogs;
        dialogs.expect(QStringLiteral("试图修复它吗？"), Answer::Yes)
            .expectExact(QStringLiteral("无法修复数据库文件“") + DBFile
                         + QStringLiteral("”：用本系统的密码读不出其中任何内容，它不是本系统的数据库，或已用其他密码"
                                          "加密。\n\n文件未作任何改动，程序将终止运行。"));
        EXPECT_FALSE(ModData::CheckDB());
        EXPECT_EQ(dir.read(QStringLiteral("Data/MarloSJGL.dat")), before);
        EXPECT_EQ(DB(), nullptr);
    }
}

TEST_F(CheckDBTest, TheDamagedFileQuestionNamesTheFileOpened)
{
    // The settings name the folder; the file found there is spelt otherwise.
    makeDatabase(QStringLiteral("marlosjgl.DAT"));
    const QString opened = QFileInfo(dir.file(QStringLiteral("Data/marlosjgl.DAT"))).absoluteFilePath();
    QFile f(opened);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.write(QByteArray(64, '\x11'));
    f.close();
    ScriptedDialogs dialogs;
    dialogs.expect(QStringLiteral("试图修复它吗？"), Answer::No).expect(QStringLiteral("未修复"));
    EXPECT_FALSE(ModData::CheckDB());
    const QString question = dialogs.shown().first().text;
    EXPECT_TRUE(question.startsWith(QStringLiteral("不能打开数据库“") + opened
                                    + QStringLiteral("”：它不是可识别的数据库，或文件已损坏。")))
        << question.toStdString();
    EXPECT_TRUE(question.endsWith(QStringLiteral("\n\n试图修复它吗？")));
}

TEST_F(CheckDBTest, ATruncatedFileIsRepairedTellingWhatWasKept)
{
    {
        auto db = dao::Database::create(DBFile, DBPassword);
        db->execScript(QStringLiteral("CREATE TABLE danwei(a INTEGER PRIMARY KEY, b TEXT); INSERT INTO danwei(b) VALUES('盒');"
                                      "CREATE TABLE t(a INTEGER PRIMARY KEY, b TEXT);"));
        dao::Transaction t(*db);
        for (int i = 0; i < 500; ++i)
            db->exec(QStringLiteral("INSERT INTO t(b) VALUES(?)"), {QString(50, u'x')});
        t.commit();
    }
    QFile f(DBFile);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.resize(f.size() - 5 * 1024 - 100)); // a copy cut short
    f.close();

    ScriptedDialogs dialogs;
    dialogs.expect(QStringLiteral("试图修复它吗？"), Answer::Yes)
        .expect(QStringLiteral("数据库已修复。损坏的原文件保留为：\n") + DBFile + QStringLiteral(".damaged\n\n各表保留的记录：\n"
                                                                                          "danwei：1 条\nt："));
    ASSERT_TRUE(ModData::CheckDB());
    const qint64 kept = DB()->scalar(QStringLiteral("SELECT count(*) FROM t")).toLongLong();
    EXPECT_GT(kept, 300);
    EXPECT_LT(kept, 500);
    EXPECT_TRUE(dialogs.shown().last().text.endsWith(QStringLiteral("t：%1 条").arg(kept)));
    EXPECT_TRUE(QFile::exists(DBFile + QStringLiteral(".damaged")));
}
