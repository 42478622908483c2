#include "ScriptedDialogs.h"
#include "StoreFixture.h"
#include "dao/PresenceLock.h"
#include "schema/Schema.h"
#include "shell/DbMaintenance.h"
#include "shell/FrmMain.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModINI.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ModBase;
using platform::Answer;

namespace {

class DbMaintenanceTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        backups = dir.file(QStringLiteral("备份"));
        QDir().mkpath(backups);
        addGroups(3);
    }

    void addGroups(int n)
    {
        dao::Transaction t(db());
        for (int i = 0; i < n; ++i)
            store.group(QStringLiteral("组别%1").arg(i));
        t.commit();
    }
    int groups() { return db().scalar(QStringLiteral("SELECT count(*) FROM zubie")).toInt(); }

    static void answerPassword(ScriptedDialogs &dialogs, const QString &typed)
    {
        dialogs.expectDialog(QStringLiteral("FrmCheckPSW"), [typed](QDialog *d) {
            QTest::keyClicks(d->findChild<QLineEdit *>(QStringLiteral("TxtFileld")), typed);
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("CmdCHPW")), Qt::LeftButton);
            return d->result();
        });
    }
    static void askToRestore(ScriptedDialogs &dialogs, const QString &password = QStringLiteral("526"))
    {
        dialogs.expectExact(QStringLiteral("把系统恢复到指定数据库状态，当前所做的一切更改将被取消！\n\n继续？"), Answer::Yes);
        answerPassword(dialogs, password);
    }
    QString backup()
    {
        ScriptedDialogs dialogs;
        const QString file = backups + QStringLiteral("/20260115试剂管理备份MarloSJGL.dat");
        dialogs.expectFolder(backups).expectExact(QStringLiteral("数据库成功备份到目录:") + file);
        DbMaintenance::BackupDB(nullptr);
        return file;
    }

    QString backups;
};

} // namespace

TEST_F(DbMaintenanceTest, CompactionKeepsEveryRowAndShrinksTheFile)
{
    addGroups(2000);
    db().exec(QStringLiteral("DELETE FROM zubie WHERE 组别ID > 10"));
    const qint64 before = QFileInfo(DBFile).size();
    EXPECT_TRUE(ModData::CompactDB());
    EXPECT_EQ(ModBase::DB(), nullptr);
    EXPECT_LT(QFileInfo(DBFile).size(), before);
    EXPECT_EQ(groups(), 10);
    EXPECT_EQ(db().scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(schema::differences(db()), QStringList());
}

TEST_F(DbMaintenanceTest, CompactionWhileAnotherProgramHasTheFileDoesNothing)
{
    addGroups(500);
    db().exec(QStringLiteral("DELETE FROM zubie"));
    ModData::CloseAll();
    const QByteArray before = dir.read(QStringLiteral("Data/MarloSJGL.dat"));
    dao::PresenceLock other;
    ASSERT_TRUE(other.acquire(DBFile, dao::PresenceLock::Mode::Shared));
    EXPECT_FALSE(ModData::CompactDB());
    EXPECT_EQ(dir.read(QStringLiteral("Data/MarloSJGL.dat")), before);
}

TEST_F(DbMaintenanceTest, BackupAsksAgainForTheDatabaseFolderAndStopsWhenCancelled)
{
    {
        ScriptedDialogs dialogs;
        dialogs.expectFolder(DBPath + u'/')
            .expectExact(QStringLiteral("冲突！不能选择系统数据库的目录，请选择其它目录"))
            .expectFolder(QString());
        DbMaintenance::BackupDB(nullptr);
    }
    EXPECT_TRUE(QDir(backups).isEmpty());
    EXPECT_NE(ModBase::DB(), nullptr);

    const QString file = backup();
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(QDir(backups).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(file).fileName()});
    // A second backup of the day replaces the first.
    addGroups(1);
    backup();
    auto copy = dao::Database::open(file, DBPassword);
    EXPECT_EQ(copy->scalar(QStringLiteral("SELECT count(*) FROM zubie")).toInt(), 4);
}

TEST_F(DbMaintenanceTest, RestoreBringsBackTheBackup)
{
    const QString file = backup();
    // A backup made before the register's date index carried the ledger's fields gets it on
    // the way back.
    dao::Database::open(file, DBPassword)
        ->execScript(QStringLiteral("DROP INDEX shijibiandongdengji_登记日期_变动标志_试剂ID_数量_单价; "
                                    "CREATE INDEX shijibiandongdengji_登记日期 ON shijibiandongdengji (登记日期);"));
    addGroups(5);
    ASSERT_EQ(groups(), 8);
    ScriptedDialogs dialogs;
    askToRestore(dialogs);
    dialogs.expectOpenFile(file).expectExact(QStringLiteral("数据库恢复成功！请重新启动程序。"));
    EXPECT_TRUE(DbMaintenance::RestoreDB(nullptr));
    ASSERT_NE(ModBase::DB(), nullptr);
    EXPECT_EQ(groups(), 3);
    EXPECT_EQ(schema::differences(db()), QStringList());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 用户名 FROM yonghu")).toString(), QStringLiteral("管理员"));
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(QDir(DBPath).entryList({QStringLiteral("*.dat")}, QDir::Files), QStringList{DBFileName});
}

TEST_F(DbMaintenanceTest, RestoreRefusalsLeaveTheDatabaseAsItWas)
{
    const QString good = backup();
    const QString junk = backups + QStringLiteral("/notes.dat");
    dir.write(QStringLiteral("备份/notes.dat"), QByteArray("not a database at all"));
    const QString foreign = backups + QStringLiteral("/foreign.dat");
    dao::Database::create(foreign, DBPassword)->exec(QStringLiteral("CREATE TABLE t(a)"));
    const QString newer = backups + QStringLiteral("/newer.dat");
    QFile::copy(good, newer);
    dao::Database::open(newer, DBPassword)->exec(QStringLiteral("UPDATE DBVersion SET DBVer = '6.0'"));
    const QString otherKey = backups + QStringLiteral("/otherkey.dat");
    dao::Database::create(otherKey, QStringLiteral("另一个密码"))->exec(QStringLiteral("CREATE TABLE t(a)"));
    addGroups(1);

    const QString notOurs = QStringLiteral("所选文件不是《澜鉴》的合法数据库！数据库恢复失败。");
    struct Case {
        const char *name;
        std::function<void(ScriptedDialogs &)> script;
        bool superUser = true;
        bool heldElsewhere = false;
    };
    const Case cases[] = {
        {"not a super user",
         [](ScriptedDialogs &d) { d.expectExact(QStringLiteral("您不是超级用户，无此权限！")); }, false},
        {"answered No",
         [](ScriptedDialogs &d) { d.expect(QStringLiteral("继续？"), Answer::No); }},
        {"wrong password",
         [](ScriptedDialogs &d) {
             askToRestore(d, QStringLiteral("52"));
             d.expectExact(QStringLiteral("密码不符！取消操作"));
         }},
        {"no file chosen", [](ScriptedDialogs &d) { askToRestore(d); d.expectOpenFile(QString()); }},
        {"the current file",
         [](ScriptedDialogs &d) {
             askToRestore(d);
             d.expectOpenFile(DBPath + QStringLiteral("/./") + DBFileName)
                 .expectExact(QStringLiteral("所选数据库是当前正在使用的数据库！请另作选择。"));
         }},
        {"not a database", [&](ScriptedDialogs &d) { askToRestore(d); d.expectOpenFile(junk).expectExact(notOurs); }},
        {"another key", [&](ScriptedDialogs &d) { askToRestore(d); d.expectOpenFile(otherKey).expectExact(notOurs); }},
        {"no stock tables", [&](ScriptedDialogs &d) { askToRestore(d); d.expectOpenFile(foreign).expectExact(notOurs); }},
        {"a later version", [&](ScriptedDialogs &d) { askToRestore(d); d.expectOpenFile(newer).expectExact(notOurs); }},
        {"held by another program",
         [&](ScriptedDialogs &d) {
             askToRestore(d);
             d.expectOpenFile(good).expect(QStringLiteral("数据库正被其他程序使用，不能恢复！"));
         },
         true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SuperUser = c.superUser;
        dao::PresenceLock other;
        if (c.heldElsewhere) {
            ASSERT_TRUE(other.acquire(DBFile, dao::PresenceLock::Mode::Shared));
        }
        {
            ScriptedDialogs dialogs;
            c.script(dialogs);
            EXPECT_FALSE(DbMaintenance::RestoreDB(nullptr));
        }
        ASSERT_NE(ModBase::DB(), nullptr);
        EXPECT_EQ(groups(), 4);
        EXPECT_EQ(QDir(DBPath).entryList(QDir::Files), (QStringList{QStringLiteral("MarloSJGL.dat"), QStringLiteral("MarloSJGL.lck")}));
    }
}

TEST_F(DbMaintenanceTest, TheMainWindowsCommandsReachTheRoutinesAndDialogs)
{
    UserQX = QString(26, u'1');
    FrmMain main;
    main.ApplyLoginState();
    {
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("数据库压缩整理完毕！"));
        main.mnuDBCompactDB->trigger();
        EXPECT_NE(ModBase::DB(), nullptr);
    }
    const QString file = backups + QStringLiteral("/20260115试剂管理备份MarloSJGL.dat");
    {
        ScriptedDialogs dialogs;
        dialogs.expectFolder(backups).expectExact(QStringLiteral("数据库成功备份到目录:") + file);
        main.mnuDBbackup->trigger();
        EXPECT_TRUE(QFileInfo::exists(file));
        EXPECT_NE(ModBase::DB(), nullptr);
    }
    {
        ScriptedDialogs dialogs;
        for (const char *name : {"FrmChangePSW", "FrmNotebook", "FrmOptions", "FrmAbout", "FrmShowLin"})
            dialogs.expectDialog(QString::fromLatin1(name), [](QDialog *) { return QDialog::Rejected; });
        for (QAction *item : {main.mnuTLchPSW, main.mnuTLJSB, main.mnuTLOption, main.mnuHAbout, main.mnuHLicense})
            item->trigger();
    }
    addGroups(2);
    {
        ScriptedDialogs dialogs;
        askToRestore(dialogs);
        dialogs.expectOpenFile(file).expectExact(QStringLiteral("数据库恢复成功！请重新启动程序。"));
        main.mnuDBRestore->trigger();
    }
    // The restore ended the run through the ordinary shutdown.
    EXPECT_EQ(ModINI::GetINI(QStringLiteral("上次登陆用户"), QStringLiteral("用户名"), IniFile), UserName);
    EXPECT_EQ(ModBase::DB(), nullptr);
    EXPECT_EQ(groups(), 3);
}
