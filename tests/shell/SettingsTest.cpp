#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "platform/CodePage936.h"
#include "shell/ModBase.h"
#include "shell/ModINI.h"

#include <gtest/gtest.h>

using namespace ModBase;

namespace {

QByteArray gbk(const QString &s)
{
    return platform::cp936::encode(s);
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetState();
        IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
    }
    void writeIni(const QString &text) { dir.write(QStringLiteral("Vialdesk.ini"), gbk(text)); }
    QString ini() const { return platform::cp936::decode(dir.read(QStringLiteral("Vialdesk.ini"))); }

    TempFolder dir;
};

} // namespace

TEST_F(SettingsTest, NoFileWritesEveryDefaultInOrder)
{
    ScriptedDialogs dialogs;
    ASSERT_TRUE(LoadSettings());
    const QString data = dir.path() + QStringLiteral("/Data");
    EXPECT_EQ(ini(), QStringLiteral("[数据库]\r\n数据库所在的目录=") + data + QStringLiteral("\r\n"
              "[自动备份数据库]\r\n自动备份=True\r\n[失效间隔的天数]\r\n间隔=30\r\n[出库加成率]\r\n加成=1\r\n"
              "[软件打开次数]\r\ntimes=1\r\n[自动打开试剂出库窗口]\r\n自动进入出库窗口=False\r\n"
              "[失效库存试剂提醒]\r\n立即提醒=True\r\n[数据维护]\r\n密码保护=True\r\n[查询默认日期]\r\n日期=0\r\n"
              "[首选出库方式]\r\n出库方式=0\r\n[显示已停用试剂]\r\n显示=0\r\n[查询排序]\r\n查询排序=0\r\n"
              "[出库价确认]\r\n不需要=True\r\n"));
    EXPECT_EQ(DBFile, data + QStringLiteral("/MarloSJGL.dat"));
    EXPECT_TRUE(AutoBackup);
    EXPECT_EQ(SXDays, 30);
    EXPECT_FLOAT_EQ(OutRate, 1.0f);
    EXPECT_EQ(OpenTimes, 1);
    EXPECT_TRUE(TipNow && PSWProtect && NoPriceCheck);
    EXPECT_FALSE(AutoOut);
}

TEST_F(SettingsTest, BlankDatabaseKeyAsksOnceAndCancelLeavesItEmpty)
{
    writeIni(QStringLiteral("[数据库]\r\n数据库所在的目录=  \r\n"));
    ScriptedDialogs dialogs;
    dialogs.expectFolder(QString());
    ASSERT_TRUE(LoadSettings());
    EXPECT_TRUE(DBPath.isEmpty());
    EXPECT_TRUE(DBFile.isEmpty());
    EXPECT_TRUE(ini().startsWith(QStringLiteral("[数据库]\r\n数据库所在的目录=\r\n")));
}

TEST_F(SettingsTest, ATrailingSeparatorIsNotDoubled)
{
    writeIni(QStringLiteral("[数据库]\r\n数据库所在的目录=/srv/库/\r\n"));
    ScriptedDialogs dialogs;
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(DBFile, QStringLiteral("/srv/库/MarloSJGL.dat"));
}

TEST_F(SettingsTest, ValuesParseByTheirTypes)
{
    struct Case {
        const char16_t *section;
        const char16_t *key;
        const char16_t *value;
        bool ok;
        std::function<bool()> check;
    };
    const Case cases[] = {
        {u"查询默认日期", u"日期", u"4.5", true, [] { return QueryDate == 4; }},
        {u"查询默认日期", u"日期", u"5.5", true, [] { return QueryDate == 6; }},
        {u"软件打开次数", u"times", u"2.5", true, [] { return OpenTimes == 2; }},
        {u"失效间隔的天数", u"间隔", u"1.6", true, [] { return SXDays == 2; }},
        {u"出库加成率", u"加成", u"1.15", true, [] { return OutRate == 1.15f; }},
        {u"自动备份数据库", u"自动备份", u"TRUE", true, [] { return AutoBackup; }},
        {u"自动备份数据库", u"自动备份", u"false", true, [] { return !AutoBackup; }},
        {u"自动备份数据库", u"自动备份", u"0", true, [] { return !AutoBackup; }},
        {u"自动备份数据库", u"自动备份", u"-1", true, [] { return AutoBackup; }},
        {u"自动备份数据库", u"自动备份", u"   ", true, [] { return AutoBackup; }},
        {u"自动备份数据库", u"自动备份", u"yes", false, nullptr},
        {u"软件打开次数", u"times", u"40000", false, nullptr},
        {u"首选出库方式", u"出库方式", u"abc", false, nullptr},
    };
    for (const Case &c : cases) {
        const QString section = QString::fromUtf16(c.section);
        const QString key = QString::fromUtf16(c.key);
        const QString value = QString::fromUtf16(c.value);
        SCOPED_TRACE((section + u'/' + key + u'=' + value).toStdString());
        ResetState();
        IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
        writeIni(QStringLiteral("[数据库]\r\n数据库所在的目录=/d\r\n[") + section + QStringLiteral("]\r\n") + key
                 + u'=' + value + QStringLiteral("\r\n"));
        ScriptedDialogs dialogs;
        if (!c.ok)
            dialogs.expectExact(QStringLiteral("系统参数读取错误！请联系管理员。"));
        EXPECT_EQ(LoadSettings(), c.ok);
        if (c.ok) {
            EXPECT_TRUE(c.check());
        }
        if (value.trimmed().isEmpty()) {
            EXPECT_EQ(ModINI::GetINI(section, key, IniFile), QStringLiteral("True"));
        }
    }
}

TEST_F(SettingsTest, CommentsAndUnknownKeysSurviveByteForByte)
{
    const QString before = QStringLiteral("; 由管理员维护\r\n[数据库]\r\n数据库所在的目录=/d\r\n备注 = 不要改\r\n\r\n"
                                          "[自定义]\r\nfoo=bar\r\n");
    writeIni(before);
    ScriptedDialogs dialogs;
    ASSERT_TRUE(LoadSettings());
    EXPECT_TRUE(ini().startsWith(before.left(before.indexOf(QStringLiteral("[自定义]")) - 2)));
    EXPECT_TRUE(ini().contains(QStringLiteral("[自定义]\r\nfoo=bar\r\n")));
    ASSERT_TRUE(ModINI::WriteINI(QStringLiteral("上次登陆用户"), QStringLiteral("用户名"), QStringLiteral("李四"), IniFile));
    const QString after = ini();
    EXPECT_TRUE(after.startsWith(before.left(before.indexOf(QStringLiteral("[自定义]")) - 2)));
    EXPECT_TRUE(after.endsWith(QStringLiteral("[上次登陆用户]\r\n用户名=李四\r\n")));
    EXPECT_EQ(ModINI::GetINI(QStringLiteral("上次登陆用户"), QStringLiteral("用户名"), IniFile), QStringLiteral("李四"));
}
