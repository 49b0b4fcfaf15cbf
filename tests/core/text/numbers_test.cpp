#include "core/text/numbers.hpp"

#include <gtest/gtest.h>

using namespace zerlant;

TEST(FormatNumber, FollowsPercent15G) {
    EXPECT_EQ(formatNumber(0.4), "0.4");
    EXPECT_EQ(formatNumber(-0.4), "-0.4");
    EXPECT_EQ(formatNumber(1e-5), "1E-05");
    EXPECT_EQ(formatNumber(1.5e20), "1.5E+20");
    EXPECT_EQ(formatNumber(-39.7268, ','), "-39,7268");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0.3");
}
