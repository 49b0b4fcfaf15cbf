#include "core/text/numbers.hpp"

#include <gtest/gtest.h>

#include <clocale>

using namespace zerlant;

TEST(IsNumeric, WholeTextWithBlanksSignExponentAndGroups) {
    for (const char* yes : {"1", " -1.5 ", "\r\n 2.5E-3\r\n", "\t+7\t", "1D+02", "1d2", "+.5", "5.",
                            "1,234", "1,234.5", "-0.6518744", "1e-400", "0000"})
        EXPECT_TRUE(isNumeric(yes)) << yes;
    for (const char* no : {"", " ", "\r\n", "1.2.3x", "1.2.3", "abc", "1e", "1e+", "e5", "-", ".",
                           "+-1", "1.5 2", "1,5.3,4", "1e400", "-1E+999", "5-", "1.5E3.2"})
        EXPECT_FALSE(isNumeric(no)) << no;
}

TEST(IsNumeric, DecimalCommaFormatOnlyWhenAsked) {
    // Gaussian's "-0.123" is read with '.', whatever the user's format; the
    // user's separator applies only to the program's own tables.
    EXPECT_TRUE(isNumeric("-0,123", ','));
    EXPECT_TRUE(isNumeric("1.234,5", ','));
    EXPECT_FALSE(isNumeric("1,2,3x", ','));
    EXPECT_DOUBLE_EQ(*toDouble("-0.123"), -0.123);
    EXPECT_DOUBLE_EQ(*toDouble("-0,123", ','), -0.123);
    EXPECT_DOUBLE_EQ(*toDouble("1.234,5", ','), 1234.5);
    EXPECT_DOUBLE_EQ(*toDouble("1,5E+20", ','), 1.5e20);
}

TEST(LeadingNumber, LongestDecimalBeginningSkippingBlanksTabsAndLineFeeds) {
    EXPECT_DOUBLE_EQ(leadingNumber("  -1.5abc"), -1.5);
    EXPECT_DOUBLE_EQ(leadingNumber("1 2 3"), 123.0);
    EXPECT_DOUBLE_EQ(leadingNumber("- 5"), -5.0);
    EXPECT_DOUBLE_EQ(leadingNumber("\n\t 7 .\t5"), 7.5);
    EXPECT_DOUBLE_EQ(leadingNumber("1.5D+03"), 1500.0);
    EXPECT_DOUBLE_EQ(leadingNumber("1.5 E 3"), 1500.0);
    EXPECT_DOUBLE_EQ(leadingNumber("1.5e"), 1.5);
    EXPECT_DOUBLE_EQ(leadingNumber("1.5e+x"), 1.5);
    EXPECT_DOUBLE_EQ(leadingNumber("1.2.3x"), 1.2);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber("1,5"), 1.0);  // '.' is the only decimal point
    EXPECT_DOUBLE_EQ(leadingNumber("1e-400"), 0.0);
    // Nothing to read: 0.  A carriage return is not skipped.
    for (const char* zero : {"", "abc", "-", ".", "-.", "--5", "\r7", "e5", "$5"})
        EXPECT_EQ(leadingNumber(zero), 0.0) << zero;
}

TEST(ToNumber, StrictConversionOfTheWholeText) {
    EXPECT_DOUBLE_EQ(*toDouble(" 3 "), 3.0);
    EXPECT_DOUBLE_EQ(*toDouble("-1.5D-3"), -0.0015);
    EXPECT_FALSE(toDouble("3x"));
    EXPECT_FALSE(toDouble(""));
    EXPECT_FALSE(toDouble("1e400"));
    EXPECT_EQ(*toDouble("0.000000000000000000000000000000000000000000000000000000000000000000000"
                        "0000000000000000000000000000000000000000000000000000000000000000000000"
                        "0000000000000000000000000000000000000000000000000000000000000000000000"
                        "0000000000000000000000000000000000000000000000000000000000000000000000"
                        "0000000000000000000000000000000000000000000000000000000000000000000001"),
              0.0);

    // 16-bit integers: rounded half to even, range checked.
    EXPECT_EQ(*toInt16(" 2.5 "), 2);
    EXPECT_EQ(*toInt16("3.5"), 4);
    EXPECT_EQ(*toInt16("-32768"), -32768);
    EXPECT_FALSE(toInt16("32768"));
    EXPECT_FALSE(toInt16("1e10"));
    EXPECT_FALSE(toInt16("C"));
    EXPECT_EQ(*toInt16("1,5", ','), 2);
}

TEST(FormatNumber, FollowsPercent15G) {
    EXPECT_EQ(formatNumber(0.4), "0.4");
    EXPECT_EQ(formatNumber(1e-5), "1E-05");
    EXPECT_EQ(formatNumber(1.5e20), "1.5E+20");
    EXPECT_EQ(formatNumber(-39.7268, ','), "-39,7268");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatNumber(1e15), "1E+15");
    EXPECT_EQ(formatNumber(1e14), "100000000000000");
    EXPECT_EQ(formatNumber(123456789012345678.0), "1.23456789012346E+17");
    EXPECT_EQ(formatNumber(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(formatNumber(1.234e-5, ','), "1,234E-05");
    EXPECT_EQ(formatNumber(-0.0), "0");
    // A round trip through the user's format gives the value back.
    for (double v : {-39.7268, 1.5e20, 1e-5, 0.4, 12345.678})
        EXPECT_DOUBLE_EQ(*toDouble(formatNumber(v, ','), ','), v);
}

TEST(FormatNumber, IgnoresTheProcessLocale) {
    const char* chosen = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "es_ES.UTF-8"})
        if ((chosen = std::setlocale(LC_ALL, name)))
            break;
    if (!chosen)
        GTEST_SKIP() << "no decimal-comma locale installed";
    EXPECT_EQ(formatNumber(-39.7268), "-39.7268");
    EXPECT_DOUBLE_EQ(*toDouble("-0.123"), -0.123);
    EXPECT_DOUBLE_EQ(leadingNumber("2.5"), 2.5);
    std::setlocale(LC_ALL, "C");
}
