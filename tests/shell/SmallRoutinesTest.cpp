#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "dao/Recordset.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModINI.h"

#include <QDir>
#include <QLabel>

#include <gtest/gtest.h>

using namespace ModBase;

TEST(SmallRoutines, AddSlashAndMakePath)
{
    EXPECT_EQ(AddSlash(QString()), QString());
    EXPECT_EQ(AddSlash(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(AddSlash(QStringLiteral("/a/b")), QStringLiteral("/a/b/"));

    TempFolder dir;
    QString made = dir.file(QStringLiteral("备份"));
    EXPECT_EQ(MakePath(made), dir.file(QStringLiteral("备份/")));
    EXPECT_EQ(made, dir.file(QStringLiteral("备份/")));
    EXPECT_TRUE(QDir(made).exists());

    ScriptedDialogs dialogs;
    QString deep = dir.file(QStringLiteral("无/此/目录"));
    dialogs.expectExact(QStringLiteral("驱动器错误！无法创建目录：") + deep + u'/');
    EXPECT_EQ(MakePath(deep), QString());
    QString empty;
    EXPECT_EQ(MakePath(empty), QString());
}

TEST(SmallRoutines, SetStatusShowsBusyAndIdleTexts)
{
    QLabel panel;
    SetStatusPanel(&panel);
    SetStatus(QStringLiteral("正在退出系统"), true);
    EXPECT_EQ(panel.text(), QStringLiteral("正在退出系统，请等待..."));
    SetStatus(QStringLiteral("完成"), false);
    EXPECT_EQ(panel.text(), QStringLiteral("完成"));
    SetStatus(QString(), false);
    EXPECT_EQ(panel.text(), QStringLiteral("待命"));
    SetStatusPanel(nullptr);
}

TEST(SmallRoutines, SetQueryOrderKeepsOrderByForUnknownNumbers)
{
    TempFolder dir;
    ResetState();
    IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
    qint16 order = 1;
    ModData::SetQueryOrder(order);
    const QString byDate = OrderBy;
    EXPECT_TRUE(byDate.startsWith(QStringLiteral(" ORDER BY shijibiandongdengji.登记日期")));
    order = 2;
    ModData::SetQueryOrder(order);
    EXPECT_EQ(OrderBy, byDate);
    EXPECT_EQ(QueryOrder, 2);
    EXPECT_EQ(ModINI::GetINI(QStringLiteral("查询排序"), QStringLiteral("查询排序"), IniFile), QStringLiteral("2"));
}

TEST(SmallRoutines, OpenRSReusesTheConnectionAndDropQueryMatchesExactly)
{
    TempFolder dir;
    ResetState();
    DBFile = dir.file(QStringLiteral("MarloSJGL.dat"));
    dao::Database::create(DBFile, DBPassword)->execScript(QStringLiteral(
        "CREATE TABLE t(a INTEGER PRIMARY KEY, b TEXT); INSERT INTO t(b) VALUES('x'); "
        "CREATE VIEW tmpQueryDef AS SELECT b FROM t;"));
    SQL = QStringLiteral("t");
    ModData::OpenRS();
    dao::Database *first = DB();
    SQL = QStringLiteral("SELECT b FROM t");
    ModData::OpenRS();
    EXPECT_EQ(DB(), first);
    EXPECT_EQ(RS()->field(0).toString(), QStringLiteral("x"));

    ModData::DropQuery(QStringLiteral("TMPQUERYDEF"));
    EXPECT_TRUE(DB()->hasView(QStringLiteral("tmpQueryDef")));
    ModData::DropQuery(QStringLiteral("tmpQueryDef"));
    EXPECT_FALSE(DB()->hasView(QStringLiteral("tmpQueryDef")));

    // An empty database path leaves the previous recordset in place.
    DBFile.clear();
    SQL = QStringLiteral("no such table");
    ModData::OpenRS();
    EXPECT_EQ(RS()->field(0).toString(), QStringLiteral("x"));
    ModData::CloseAll();
}
