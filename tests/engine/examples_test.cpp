#include <gtest/gtest.h>

#include <ostream>

#include "double_text.h"
#include "vantrel.h"

namespace {

struct TrunkCase {
    double A;
    double p;
    double lines;
};

void PrintTo(const TrunkCase& c, std::ostream* out) {
    *out << "cal_trunk(" << digits17(c.A) << ", " << digits17(c.p) << ")";
}

class TrunkExample : public testing::TestWithParam<TrunkCase> {};

TEST_P(TrunkExample, GivesTheGridAnswerToTheLastBit) {
    const TrunkCase c = GetParam();
    const double lines = cal_trunk(c.A, c.p);
    EXPECT_TRUE(same_double(lines, c.lines))
        << testing::PrintToString(c) << " = " << digits17(lines) << ", expected "
        << digits17(c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Documented, TrunkExample,
    testing::Values(TrunkCase{10, 0.01, 17.44999999999993}, TrunkCase{1, 0.01, 4.349999999999952},
                    TrunkCase{100, 0.01, 116.88000000002289},
                    TrunkCase{0.5, 0.5, 1.0000000000000007},
                    // Targets out of range, and above 1, where the first grid point answers.
                    TrunkCase{10, 150, 0}, TrunkCase{10, -0.5, 0}, TrunkCase{1000, -1e-300, 0},
                    TrunkCase{10, 100, 0.01}, TrunkCase{10, 2, 0.01}, TrunkCase{1e6, 1.5, 0.01},
                    TrunkCase{10, 100.00000000000001, 0}));

struct TrafficCase {
    double p;
    double n;
    double t;
    double calls;
};

void PrintTo(const TrafficCase& c, std::ostream* out) {
    *out << "cal_traffic(" << digits17(c.p) << ", " << digits17(c.n) << ", " << digits17(c.t)
         << ")";
}

class TrafficExample : public testing::TestWithParam<TrafficCase> {};

TEST_P(TrafficExample, GivesTheGridAnswerToTheLastBit) {
    const TrafficCase c = GetParam();
    const double calls = cal_traffic(c.p, c.n, c.t);
    EXPECT_TRUE(same_double(calls, c.calls))
        << testing::PrintToString(c) << " = " << digits17(calls) << ", expected "
        << digits17(c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Documented, TrafficExample,
    testing::Values(TrafficCase{0.01, 10, 3, 90}, TrafficCase{0.01, 18, 3, 209.99999999999957},
                    TrafficCase{0.05, 5, 2, 69.00000000000003}, TrafficCase{0.01, 10, -3, -90},
                    // Fewer than one line: the first grid point, 0.1 erlang, already blocks.
                    TrafficCase{0.5, 0.5, 3, 2}, TrafficCase{1, 0.99, 7, 6.0 / 7},
                    TrafficCase{0.01, -5, 3, 2}, TrafficCase{1e-9, 0, 1, 6},
                    // A target of 0 or below is met at the first grid point as well.
                    TrafficCase{0, 10, 3, 2}, TrafficCase{-0.5, 300, 4, 1.5},
                    TrafficCase{-1e300, 1e9, 6, 1}));

}  // namespace
