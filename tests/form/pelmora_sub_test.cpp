#include <gtest/gtest.h>

#include <cmath>

#include "double_text.h"
#include "form/pelmora_sub.h"

namespace {

using pelmora::PelmoraSUB::cal_erlang;

TEST(CalErlang, GivesTheTrafficOfTheStoredExamples) {
    EXPECT_EQ(cal_erlang(240, 3, 8), 1.5);
    EXPECT_EQ(cal_erlang(1000, 2.5, 10), 4.166666666666667);
    EXPECT_EQ(cal_erlang(30, 2, 1), 1);
    EXPECT_EQ(cal_erlang(60, 2, 8), 0.25);
    EXPECT_EQ(cal_erlang(0, 3, 8), 0);
}

// Calls times minutes first, then hours times 60, then the quotient: another order overflows
// elsewhere or rounds differently.
TEST(CalErlang, MultipliesBothFactorsBeforeDividing) {
    EXPECT_TRUE(std::isinf(cal_erlang(1e308, 10, 1)));  // 1e308 * (10 / 60) would not overflow
    EXPECT_EQ(cal_erlang(1e-300, 1e-300, 1e-300), 0.0);
    // The other orders give 0.007142857142857143 and 0.007142857142857144.
    EXPECT_TRUE(same_double(cal_erlang(0.1, 3, 0.7), 0.0071428571428571435));
}

TEST(CalErlang, FollowsIeeeArithmeticWithoutOperatingHours) {
    EXPECT_EQ(cal_erlang(240, 3, 0), INFINITY);
    EXPECT_TRUE(std::isnan(cal_erlang(0, 3, 0)));
    EXPECT_EQ(cal_erlang(-240, 3, 8), -1.5);
}

}  // namespace
