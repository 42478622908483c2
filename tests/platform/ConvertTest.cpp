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

// "Standard" rounds a half away from zero, reading a value as the decimal it was written as
// (1.005 is held as 1.00499999999999989, 2.675 as 2.67499999999999982).
TEST(Convert, StandardRoundsAHalfAwayFromZero)
{
    const std::pair<double, const char *> cases[] = {
        {0.125, "0.13"},
        {0.135, "0.14"},
        {1.005, "1.01"},
        {2.675, "2.68"},
        {-0.125, "-0.13"},
        {1234567.895, "1,234,567.90"},
        {2.5 * 0.05, "0.13"},
        {0.1 + 0.2, "0.30"},
        {0.124999, "0.12"},
        {-0.005, "-0.01"},
        {-0.004, "0.00"},
        {0, "0.00"},
        {19.99, "19.99"},
        {1234.5, "1,234.50"},
        {-1234567.89, "-1,234,567.89"},
        {999999.995, "1,000,000.00"},
        {123456789012.34, "123,456,789,012.34"},
    };
    for (const auto &[value, text] : cases) {
        EXPECT_EQ(standard(value), QString::fromLatin1(text)) << value;
        EXPECT_EQ(roundHalfAway(value, 2), parseNumber(QString::fromLatin1(text)).value()) << value;
    }
    // A single is read as the 7 digits it was written with (1.005f is 1.00499999523...).
    const std::pair<float, const char *> singles[] = {
        {1.005f, "1.01"}, {2.675f, "2.68"}, {-0.125f, "-0.13"}, {19.99f, "19.99"}, {1234.5f, "1,234.50"},
    };
    for (const auto &[value, text] : singles)
        EXPECT_EQ(standard(value), QString::fromLatin1(text)) << value;
    // Stored Currency and quantities keep their own rule at four decimals: a half to even.
    EXPECT_EQ(roundTo(0.00125, 4), 0.0012);
    EXPECT_EQ(Currency::fromDouble(0.00125).units, 12);
    EXPECT_EQ(roundHalfAway(0.00125, 4), 0.0013);
}
