#include "platform/CodePage936.h"
#include "platform/System.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(CodePage936, KnownCodesAndRoundTrip)
{
    EXPECT_EQ(cp936::codeOf(U'啊'), 0xB0A1);
    EXPECT_EQ(cp936::codeOf(U'匝'), 0xD4D1);
    EXPECT_EQ(cp936::codeOf(U'A'), 0);
    const QString text = QStringLiteral("试剂盒 ABO（空）");
    EXPECT_EQ(cp936::decode(cp936::encode(text)), text);
    EXPECT_EQ(cp936::encode(QStringLiteral("€")), QByteArray("?"));
}

TEST(CodePage, Big5LocalesAre950AndTheRest936)
{
    for (const char *c : {"BIG5", "Big5-HKSCS", "big5hkscs", "CP950"})
        EXPECT_EQ(codePageOfCodeset(QString::fromLatin1(c)), 950) << c;
    for (const char *c : {"GBK", "GB18030", "UTF-8", "ANSI_X3.4-1968"})
        EXPECT_EQ(codePageOfCodeset(QString::fromLatin1(c)), 936) << c;
}
