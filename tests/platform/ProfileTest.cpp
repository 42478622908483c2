#include "TempFolder.h"
#include "platform/CodePage936.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
QByteArray gbk(const char *utf8)
{
    return cp936::encode(QString::fromUtf8(utf8));
}
} // namespace

TEST(Profile, MissingFileSectionOrKeyGiveTheDefault)
{
    TempFolder dir;
    const QString ini = dir.file(QStringLiteral("a.ini"));
    EXPECT_EQ(profile::read(ini, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    dir.write(QStringLiteral("a.ini"), "[s]\r\nother=1\r\n");
    EXPECT_EQ(profile::read(ini, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(profile::read(ini, QStringLiteral("t"), QStringLiteral("other")), QString());
}

TEST(Profile, NamesCompareWithoutLetterCaseAndValuesAreTrimmed)
{
    TempFolder dir;
    dir.write(QStringLiteral("a.ini"), "[Section]\r\n  Key =  value here  \r\nq=\"quoted\"\r\n");
    const QString ini = dir.file(QStringLiteral("a.ini"));
    EXPECT_EQ(profile::read(ini, QStringLiteral("SECTION"), QStringLiteral("key")), QStringLiteral("value here"));
    EXPECT_EQ(profile::read(ini, QStringLiteral("section"), QStringLiteral("Q")), QStringLiteral("quoted"));
}

TEST(Profile, WriteChangesOnlyItsLineAndKeepsCommentsAndUnknownKeys)
{
    TempFolder dir;
    const QByteArray before = gbk("; 注释\r\n[数据库]\r\n数据库所在的目录=/old\r\nunknown = x\r\n\r\n"
                                  "[其他]\r\n键=值\r\n");
    dir.write(QStringLiteral("a.ini"), before);
    const QString ini = dir.file(QStringLiteral("a.ini"));
    ASSERT_TRUE(profile::write(ini, QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), QStringLiteral("/新")));
    EXPECT_EQ(dir.read(QStringLiteral("a.ini")),
              gbk("; 注释\r\n[数据库]\r\n数据库所在的目录=/新\r\nunknown = x\r\n\r\n[其他]\r\n键=值\r\n"));
}

TEST(Profile, NewKeyJoinsTheEndOfItsSectionAndNewSectionTheEndOfFile)
{
    TempFolder dir;
    dir.write(QStringLiteral("a.ini"), "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
    const QString ini = dir.file(QStringLiteral("a.ini"));
    ASSERT_TRUE(profile::write(ini, QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("3")));
    ASSERT_TRUE(profile::write(ini, QStringLiteral("c"), QStringLiteral("w"), QStringLiteral("4")));
    EXPECT_EQ(dir.read(QStringLiteral("a.ini")), QByteArray("[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n[c]\r\nw=4\r\n"));
}

TEST(Profile, WriteCreatesTheFileInCodePage936)
{
    TempFolder dir;
    const QString ini = dir.file(QStringLiteral("n.ini"));
    ASSERT_TRUE(profile::write(ini, QStringLiteral("上次登陆用户"), QStringLiteral("用户名"), QStringLiteral("张三")));
    EXPECT_EQ(dir.read(QStringLiteral("n.ini")), gbk("[上次登陆用户]\r\n用户名=张三\r\n"));
    EXPECT_EQ(profile::read(ini, QStringLiteral("上次登陆用户"), QStringLiteral("用户名")), QStringLiteral("张三"));
}

TEST(Profile, WriteIntoAMissingFolderFails)
{
    TempFolder dir;
    EXPECT_FALSE(profile::write(dir.file(QStringLiteral("no/such/a.ini")), QStringLiteral("s"), QStringLiteral("k"),
                                QStringLiteral("v")));
}

TEST(Profile, LongValueIsCutAtACharacterBoundaryOfTheBuffer)
{
    TempFolder dir;
    // 253 single bytes then a two-byte character: 255 bytes, the buffer holds 254.
    const QString value = QString(253, u'a') + QStringLiteral("汉");
    const QString ini = dir.file(QStringLiteral("a.ini"));
    ASSERT_TRUE(profile::write(ini, QStringLiteral("s"), QStringLiteral("k"), value));
    bool cut = false;
    EXPECT_EQ(profile::read(ini, QStringLiteral("s"), QStringLiteral("k"), QString(), 255, &cut), QString(253, u'a'));
    EXPECT_TRUE(cut);
    EXPECT_EQ(profile::read(ini, QStringLiteral("s"), QStringLiteral("k"), QString(), 256, &cut), value);
    EXPECT_FALSE(cut);
}
