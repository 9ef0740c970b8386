#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "double_text.h"
#include "grid.h"
#include "literal_scan.h"

namespace {

using vantrel::Grid;

// Steps of 29 to 31 significant bits meet a rounding tie within 2^26 additions: in one binade the
// step is an odd number of half ulps, and the increment depends on the parity of the running
// value. The searches' steps meet theirs far beyond a plain loop's reach, so these steps show the
// binade jumps handling ties where a plain loop can check them (with odd and even whole parts).
constexpr double kTieProneSteps[] = {1 + 12345 * 0x1p-29, 1 + 12347 * 0x1p-29,
                                     (0x1p30 + 1) * 0x1p-33, (0x1p28 + 3) * 0x1p-20};

void expect_every_step_matches(double step, std::uint64_t last) {
    const Grid grid(step);
    double plain = 0;
    for (std::uint64_t k = 1; k <= last; ++k) {
        plain = plain + step;
        const double jumped = grid.at(k).value;
        ASSERT_TRUE(same_double(jumped, plain))
            << "step " << digits17(step) << ", k = " << k << ": " << digits17(jumped)
            << " instead of " << digits17(plain);
    }
}

TEST(Grid, MatchesPlainAccumulationAtEveryStepUpToAMillion) {
    expect_every_step_matches(vantrel::kLineStep, 1'000'000);
    expect_every_step_matches(vantrel::kTrafficStep, 1'000'000);
}

TEST(Grid, MatchesPlainAccumulationAtSampledStepsUpToAHundredMillion) {
    for (const double step : {vantrel::kLineStep, vantrel::kTrafficStep}) {
        const Grid grid(step);
        std::mt19937_64 random(1);
        std::uint64_t next_check = 1'000'000;
        double plain = literal::accumulated(step, next_check);
        std::uint64_t k = next_check;
        while (k < 100'000'000) {
            const std::uint64_t target =
                std::min<std::uint64_t>(100'000'000, k + 1 + random() % 3'000'000);
            for (; k < target; ++k) {
                plain = plain + step;
            }
            ASSERT_TRUE(same_double(grid.at(k).value, plain))
                << "step " << digits17(step) << ", k = " << k;
        }
    }
}

TEST(Grid, FollowsRoundingTiesExactly) {
    for (const double step : kTieProneSteps) {
        const Grid grid(step);
        double plain = 0;
        std::mt19937_64 random(3);
        std::uint64_t k = 0;
        while (k < (std::uint64_t{1} << 26)) {
            const std::uint64_t target = k + 1 + random() % 5000;
            for (; k < target; ++k) {
                plain = plain + step;
            }
            ASSERT_TRUE(same_double(grid.at(k).value, plain))
                << "step " << digits17(step) << ", k = " << k;
        }
    }
}

TEST(Grid, ShowsTheDriftOfTheRunningSum) {
    const Grid lines(vantrel::kLineStep);
    EXPECT_EQ(lines.at(1).value, 0.01);
    EXPECT_EQ(lines.at(100).value, 1.0000000000000007);
    EXPECT_EQ(lines.at(200).value, 2.0000000000000013);
    EXPECT_EQ(lines.at(300).value, 2.99999999999998);
    EXPECT_EQ(lines.at(0).value, 0.0);
    EXPECT_EQ(Grid(vantrel::kTrafficStep).at(45).value, 4.5);
}

// Far beyond a plain loop's reach the recurrence itself is checked: each value is the previous
// one plus the step, rounded, all the way up to the point where the step no longer counts.
TEST(Grid, EachValueIsThePreviousPlusTheStepUpToTheStall) {
    for (const double step :
         {vantrel::kLineStep, vantrel::kTrafficStep, kTieProneSteps[0], kTieProneSteps[3]}) {
        const Grid grid(step);
        const vantrel::GridPoint end = grid.end();
        ASSERT_EQ(end.value + step, end.value) << "step " << digits17(step);
        const double before_end = grid.at(end.index - 1).value;
        EXPECT_EQ(before_end + step, end.value);
        EXPECT_NE(before_end, end.value);
        EXPECT_EQ(grid.at(end.index + 12345).value, end.value);
        EXPECT_EQ(grid.at(end.index + 12345).index, end.index);

        std::mt19937_64 random(5);
        for (int i = 0; i < 20000; ++i) {
            // Indices spread evenly over the binades, where the jumps start and end.
            const double where = std::ldexp(1.0, static_cast<int>(random() % 64)) *
                                 (1 + static_cast<double>(random() % 1000) / 1000);
            const auto k =
                static_cast<std::uint64_t>(std::min(where, static_cast<double>(end.index - 1)));
            const double value = grid.at(k).value;
            ASSERT_TRUE(same_double(grid.at(k + 1).value, value + step))
                << "step " << digits17(step) << ", k = " << k;
        }
    }
}

// The searches use grids that the compiler built; its arithmetic must be the machine's.
TEST(Grid, BuiltByTheCompilerEqualsBuiltAtRunTime) {
    constexpr Grid compiled_lines(vantrel::kLineStep);
    constexpr Grid compiled_traffic(vantrel::kTrafficStep);
    volatile double line_step = vantrel::kLineStep;
    volatile double traffic_step = vantrel::kTrafficStep;
    const Grid lines(line_step);
    const Grid traffic(traffic_step);
    std::mt19937_64 random(8);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t k = random() >> (random() % 64);
        ASSERT_TRUE(same_double(compiled_lines.at(k).value, lines.at(k).value)) << k;
        ASSERT_TRUE(same_double(compiled_traffic.at(k).value, traffic.at(k).value)) << k;
    }
    EXPECT_EQ(compiled_lines.end().index, lines.end().index);
    EXPECT_EQ(compiled_traffic.end().index, traffic.end().index);
}

TEST(Grid, StallsWhereTheStepDropsBelowHalfAnUlp) {
    const vantrel::GridPoint lines = Grid(vantrel::kLineStep).end();
    EXPECT_GT(lines.value, 1e14);
    EXPECT_LT(lines.value, 2e14);
    const vantrel::GridPoint traffic = Grid(vantrel::kTrafficStep).end();
    EXPECT_GT(traffic.value, 1e15);
    EXPECT_LT(traffic.value, 2e15);
}

}  // namespace
