#include "platform/Convert.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace platform::convert;

TEST(Convert, NumbersAsTheProgramWritesAndReadsThem)
{
    const std::pair<const char *, double> good[] = {
        {"0", 0},          {"12", 12},           {" 4.5 ", 4.5},  {"-3", -3},    {"+ 7", 7},
        {"1,234.50", 1234.5}, {"12,345,678", 12345678}, {".5", 0.5}, {"5.", 5}, {"1e3", 1000},
        {"2.5E-1", 0.25},
    };
    for (const auto &[text, value] : good) {
        const auto n = parseNumber(QString::fromLatin1(text));
        ASSERT_TRUE(n.has_value()) << text;
        EXPECT_DOUBLE_EQ(*n, value) << text;
    }
    for (const char *text : {"", " ", "-", ".", "12,34", "1234,567", "1,2345", "1e", "abc", "1.2.3", "12a", ",123"})
        EXPECT_FALSE(isNumeric(QString::fromLatin1(text))) << text;
    EXPECT_FALSE(isNumeric(QStringLiteral("试剂")));
}

TEST(Convert, RoundingFlagsAndStandardFormat)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_DOUBLE_EQ(roundTo(2.675, 2), 2.68);
    EXPECT_EQ(parseFlag(QStringLiteral("tRuE")), true);
    EXPECT_EQ(parseFlag(QStringLiteral("0")), false);
    EXPECT_FALSE(parseFlag(QStringLiteral("yes")).has_value());
    EXPECT_EQ(standard(1234.5), QStringLiteral("1,234.50"));
    EXPECT_EQ(standard(-0.004), QStringLiteral("0.00"));
    EXPECT_EQ(standard(-1234567.891), QStringLiteral("-1,234,567.89"));
    EXPECT_EQ(singleText(1.15f), QStringLiteral("1.15"));
    EXPECT_EQ(Currency::fromDouble(0.1).units + Currency::fromDouble(0.2).units, Currency::fromDouble(0.3).units);
}
