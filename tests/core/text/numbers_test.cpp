#include "core/text/numbers.hpp"

#include <gtest/gtest.h>

#include <clocale>

using namespace zerlant;

// The single cases of these procedures are rows of text_cases.tsv.

TEST(FormatNumber, RoundTripsThroughTheUsersFormat) {
    for (double v : {-39.7268, 1.5e20, 1e-5, 0.4, 12345.678, 2.0 / 3.0})
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
