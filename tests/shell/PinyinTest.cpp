#include "platform/CodePage936.h"
#include "shell/ModData.h"

#include <gtest/gtest.h>

using namespace ModData;

TEST(Pinyin, CodesOfNames)
{
    const std::pair<const char16_t *, const char16_t *> cases[] = {
        {u"试剂盒", u"SJH"}, {u"ABO血型", u"ABOXX"}, {u"5%葡萄糖", u"5PTT"}, {u"（空）", u"0K0"},
        {u"  ", u"ABC"},     {u"", u""},             {u"亍", u"Z"},          {u"abc", u"ABC"},
    };
    for (const auto &[text, code] : cases)
        EXPECT_EQ(GetPY(QString::fromUtf16(text)), QString::fromUtf16(code)) << QString::fromUtf16(text).toStdString();
}

TEST(Pinyin, EachBoundaryCharacterAndTheCodeBelowIt)
{
    const std::pair<quint16, char> bounds[] = {
        {0xB0A1, 'A'}, {0xB0C5, 'B'}, {0xB2C1, 'C'}, {0xB4EE, 'D'}, {0xB6EA, 'E'}, {0xB7A2, 'F'},
        {0xB8C1, 'G'}, {0xB9FE, 'H'}, {0xBBF7, 'J'}, {0xBFA6, 'K'}, {0xC0AC, 'L'}, {0xC2E8, 'M'},
        {0xC4C3, 'N'}, {0xC5B6, 'O'}, {0xC5BE, 'P'}, {0xC6DA, 'Q'}, {0xC8BB, 'R'}, {0xC8F6, 'S'},
        {0xCBFA, 'T'}, {0xCDDA, 'W'}, {0xCEF4, 'X'}, {0xD1B9, 'Y'}, {0xD4D1, 'Z'},
    };
    const auto charOf = [](quint16 code) {
        QByteArray bytes;
        bytes.append(static_cast<char>(code >> 8)).append(static_cast<char>(code & 0xFF));
        return platform::cp936::decode(bytes);
    };
    char previous = '0';
    for (const auto &[code, letter] : bounds) {
        EXPECT_EQ(GetPYChar(charOf(code)), QString(QLatin1Char(letter))) << std::hex << code;
        // The code just below: GBK fills the trail bytes below A1 too, so it is a character.
        const auto below = static_cast<quint16>(code - 1);
        EXPECT_EQ(GetPYChar(charOf(below)), QString(QLatin1Char(previous))) << std::hex << below;
        previous = letter;
    }
}

TEST(Pinyin, TextWidthCountsDoubleByteCharactersAsOne)
{
    EXPECT_FLOAT_EQ(TextWidthCJK(QStringLiteral("ABO血型")), 3.5f);
    EXPECT_FLOAT_EQ(TextWidthCJK(QStringLiteral("试剂盒")), 3.0f);
    EXPECT_FLOAT_EQ(TextWidthCJK(QStringLiteral("12")), 1.0f);
    EXPECT_FLOAT_EQ(TextWidthCJK(QString()), 0.0f);
}
