#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <random>

#include "double_text.h"
#include "erlang_b.h"
#include "literal_scan.h"

namespace {

using vantrel::TermBudget;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDenormal = std::numeric_limits<double>::denorm_min();

double blocking(double n, double A) {
    TermBudget budget(UINT64_MAX);
    return vantrel::erlang_b_blocking(n, A, budget).value();
}

struct BlockingCase {
    double n;
    double A;
    double expected;
};

void PrintTo(const BlockingCase& c, std::ostream* out) {
    *out << "B(" << digits17(c.n) << ", " << digits17(c.A) << ")";
}

class BlockingExample : public testing::TestWithParam<BlockingCase> {};

TEST_P(BlockingExample, MatchesTheKnownValue) {
    const BlockingCase c = GetParam();
    const double b = blocking(c.n, c.A);
    EXPECT_TRUE(same_double(b, c.expected))
        << "B(" << digits17(c.n) << ", " << digits17(c.A) << ") = " << digits17(b);
}

INSTANTIATE_TEST_SUITE_P(Examples, BlockingExample,
                         testing::Values(BlockingCase{0.5, 7, 1}, BlockingCase{0.5, 0, 1},
                                         BlockingCase{1, 1, 0.5}, BlockingCase{2, 1, 0.2},
                                         BlockingCase{1.5, 1, 0.4}, BlockingCase{3, 0, 0},
                                         BlockingCase{-4, 1, 1}, BlockingCase{1, kInf, 1},
                                         BlockingCase{200, kInf, 1}, BlockingCase{5, kDenormal, 0},
                                         BlockingCase{kInf, 3, 0}, BlockingCase{kNaN, 3, 0},
                                         BlockingCase{4, kNaN, 0}, BlockingCase{1.5, -0.0, -0.0},
                                         BlockingCase{2.5, -0.0, 0}));

// Inputs on both sides of the early stop: factors above 1 for a while, long tails, traffic far
// above and far below the line count, fractional line counts.
TEST(Blocking, AgreesWithThePlainSumOnRandomInputs) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 20000; ++i) {
        const double n = std::pow(10.0, unit(random) * 3.5);
        const double A = std::pow(10.0, unit(random) * 8 - 3);
        const double expected = literal::erlang_b_blocking(n, A);
        const double fast = blocking(n, A);
        ASSERT_TRUE(same_double(fast, expected))
            << "n = " << digits17(n) << ", A = " << digits17(A) << ": " << digits17(fast)
            << " instead of " << digits17(expected);
    }
}

TEST(Blocking, AgreesWithThePlainSumNearTheLineCount) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 2000; ++i) {
        const double n = 1 + unit(random) * 20000;
        const double A = n * (0.8 + 0.4 * unit(random));
        ASSERT_TRUE(same_double(blocking(n, A), literal::erlang_b_blocking(n, A)))
            << "n = " << digits17(n) << ", A = " << digits17(A);
    }
}

// The searches rely on the computed blocking being monotone: never rising with more lines, never
// falling with more traffic.
TEST(Blocking, IsMonotoneInLinesAndTraffic) {
    std::mt19937_64 random(99);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 300; ++i) {
        const double A = std::pow(10.0, unit(random) * 4 - 1);
        double n = std::max(0.5, A - 3 * std::sqrt(A) - 2);
        double previous = blocking(n, A);
        for (int step = 0; step < 400; ++step) {
            n = n + 0.01 * (1 + 7 * unit(random));
            const double b = blocking(n, A);
            ASSERT_LE(b, previous) << "n = " << digits17(n) << ", A = " << digits17(A);
            previous = b;
        }
        const double lines = 1 + unit(random) * 300;
        double traffic = 0.05;
        previous = blocking(lines, traffic);
        for (int step = 0; step < 400; ++step) {
            traffic = traffic * (1 + 0.05 * unit(random));
            const double b = blocking(lines, traffic);
            ASSERT_GE(b, previous) << "n = " << digits17(lines) << ", A = " << digits17(traffic);
            previous = b;
        }
    }
}

// The verdict "below the target" may end the sum early, on either side; it must agree with the
// full blocking, right up to the rounding edges where 1 / sum is the target or one ulp from it.
TEST(BlockingIsBelow, AgreesWithTheFullBlockingAtTheTargetsEdges) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 5000; ++i) {
        const double n = std::pow(10.0, unit(random) * 3);
        const double A = std::pow(10.0, unit(random) * 6 - 2);
        const double b = literal::erlang_b_blocking(n, A);
        const double random_target = std::pow(10.0, -unit(random) * 12);
        // Targets a relative 1e-12 to 1e-3 away show the bound on the rest of a falling sum
        // deciding both ways; the neighbouring doubles show the deciding sum's rounding.
        for (const double target :
             {b, std::nextafter(b, 2.0), std::nextafter(b, -1.0), b * (1 + 1e-12), b * (1 - 1e-12),
              b * (1 + 1e-6), b * (1 - 1e-6), b * (1 + 1e-3), b * (1 - 1e-3), random_target, 1.0,
              0.0, kDenormal}) {
            TermBudget budget(UINT64_MAX);
            const auto below = vantrel::BlockingTarget(target).is_below(n, A, budget);
            ASSERT_EQ(below, std::optional<bool>(b < target))
                << "B(" << digits17(n) << ", " << digits17(A) << ") = " << digits17(b)
                << ", target " << digits17(target);
        }
    }
}

TEST(Blocking, CountsItsTermsAndStopsWhenTheBudgetIsSpent) {
    // 500 lines at 10^9 erlangs: the terms fall below the sum's precision after a few factors.
    TermBudget cheap(500);
    const auto tiny_load = vantrel::erlang_b_blocking(500, 1e9, cheap);
    ASSERT_TRUE(tiny_load.has_value());
    EXPECT_TRUE(same_double(*tiny_load, literal::erlang_b_blocking(500, 1e9)));
    EXPECT_GE(cheap.left(), 495u);

    // 50 lines at 50 erlangs: the sum only stops early once the terms have shrunk, well after
    // the 10 terms allowed here.
    TermBudget small(10);
    EXPECT_FALSE(vantrel::erlang_b_blocking(50, 50, small).has_value());
    EXPECT_TRUE(small.exhausted());

    TermBudget ample(1000);
    const auto b = vantrel::erlang_b_blocking(50, 50, ample);
    ASSERT_TRUE(b.has_value());
    EXPECT_TRUE(same_double(*b, literal::erlang_b_blocking(50, 50)));
    EXPECT_GT(ample.left(), 0u);
    EXPECT_LE(ample.left(), 1000u - 10u);

    TermBudget none(0);
    EXPECT_EQ(vantrel::erlang_b_blocking(0.5, 1, none), std::optional<double>(1.0));
}

}  // namespace
