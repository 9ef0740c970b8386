#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <utility>
#include <vector>

#include "double_text.h"
#include "literal_scan.h"
#include "vantrel.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDenormal = std::numeric_limits<double>::denorm_min();

// Every kind of double a caller could pass: signed zeros, subnormals, tiny and huge magnitudes,
// infinities, NaN, and ordinary values on both sides of the ranges that matter.
const std::vector<double>& hostile_values() {
    static const std::vector<double> values = {
        0.0,  -0.0, kDenormal, -kDenormal, 1e-300, -1e-300, 1e-9, 0.01, 0.5,
        -0.5, 1,    -1,        2,          10.5,   -10,     100,  150,  1e9,
        -1e9, 1e15, 1e300,     -1e300,     kInf,   -kInf,   kNaN};
    return values;
}

// A plain scan that has not ended after this many grid points is not compared.
constexpr std::uint64_t kScanLimit = 20'000;

bool is_documented_deviation(double A, double p) {
    return !(A >= 0) && p >= 0 && p <= 1;
}

TEST(HostileInputs, TrunkEndsAndAgreesWithThePlainScanWhereItEnds) {
    int compared = 0;
    for (const double A : hostile_values()) {
        for (const double p : hostile_values()) {
            const double lines = cal_trunk(A, p);
            const bool plain_scan_is_cheap = !(std::fabs(A) > 1e3);
            if (!plain_scan_is_cheap || is_documented_deviation(A, p)) {
                continue;
            }
            const auto expected = literal::cal_trunk(A, p, kScanLimit);
            if (expected) {
                ++compared;
                EXPECT_TRUE(same_double(lines, *expected))
                    << "cal_trunk(" << digits17(A) << ", " << digits17(p)
                    << ") = " << digits17(lines) << ", the plain scan gives "
                    << digits17(*expected);
            }
        }
    }
    EXPECT_GT(compared, 200);
}

bool plain_traffic_scan_is_cheap(double n) {
    return !(n > 1e3 && n < 1e12);
}

void expect_traffic_as_plain_scan(double p, double n, double t, int& compared) {
    const double calls = cal_traffic(p, n, t);
    if (!plain_traffic_scan_is_cheap(n)) {
        return;
    }
    const auto expected = literal::cal_traffic(p, n, t, kScanLimit);
    if (expected) {
        ++compared;
        EXPECT_TRUE(same_double(calls, *expected))
            << "cal_traffic(" << digits17(p) << ", " << digits17(n) << ", " << digits17(t)
            << ") = " << digits17(calls) << ", the plain scan gives " << digits17(*expected);
    }
}

// The time only divides the traffic found, so the search is crossed with every target and line
// count, and the division with every time on a few searches.
TEST(HostileInputs, TrafficEndsAndAgreesWithThePlainScanWhereItEnds) {
    int compared = 0;
    for (const double p : hostile_values()) {
        for (const double n : hostile_values()) {
            expect_traffic_as_plain_scan(p, n, 3, compared);
        }
    }
    EXPECT_GT(compared, 300);
    compared = 0;
    for (const double t : hostile_values()) {
        for (const auto& [p, n] : {std::pair{0.01, 10.0}, {0.5, 0.5}, {-1.0, 5.0}, {1e-300, 2.0}}) {
            expect_traffic_as_plain_scan(p, n, t, compared);
        }
    }
    EXPECT_EQ(compared, 4 * static_cast<int>(hostile_values().size()));
}

struct Hostile {
    const char* what;
    double result;
    std::function<double()> call;
};

void PrintTo(const Hostile& h, std::ostream* out) {
    *out << h.what;
}

class NoAnswer : public testing::TestWithParam<Hostile> {};

TEST_P(NoAnswer, IsReturnedWhereTheScanCouldNeverEnd) {
    const Hostile& h = GetParam();
    const double actual = h.call();
    EXPECT_TRUE(same_double(actual, h.result))
        << h.what << " = " << digits17(actual) << ", expected " << digits17(h.result);
}

INSTANTIATE_TEST_SUITE_P(
    Searches, NoAnswer,
    testing::Values(
        Hostile{"cal_trunk(10, 0)", kNaN, [] { return cal_trunk(10, 0); }},
        Hostile{"cal_trunk(10, NaN)", kNaN, [] { return cal_trunk(10, kNaN); }},
        Hostile{"cal_trunk(1e300, 0.01)", kNaN, [] { return cal_trunk(1e300, 0.01); }},
        Hostile{"cal_trunk(+inf, 0.01)", kNaN, [] { return cal_trunk(kInf, 0.01); }},
        Hostile{"cal_trunk(1e300, 1)", kNaN, [] { return cal_trunk(1e300, 1); }},
        Hostile{"cal_trunk(0, 0.01)", 1.0000000000000007, [] { return cal_trunk(0, 0.01); }},
        Hostile{"cal_trunk(-0, 0.01)", 1.0000000000000007, [] { return cal_trunk(-0.0, 0.01); }},
        Hostile{"cal_trunk(+inf, 2)", 0.01, [] { return cal_trunk(kInf, 2); }},
        Hostile{"cal_trunk(NaN, 150)", 0, [] { return cal_trunk(kNaN, 150); }},
        Hostile{"cal_traffic(1, 10, 3)", kNaN, [] { return cal_traffic(1, 10, 3); }},
        Hostile{"cal_traffic(1.5, 0.5, 3)", kNaN, [] { return cal_traffic(1.5, 0.5, 3); }},
        Hostile{"cal_traffic(NaN, 10, 3)", kNaN, [] { return cal_traffic(kNaN, 10, 3); }},
        Hostile{"cal_traffic(0.5, +inf, 3)", kNaN, [] { return cal_traffic(0.5, kInf, 3); }},
        Hostile{"cal_traffic(0.5, NaN, 3)", kNaN, [] { return cal_traffic(0.5, kNaN, 3); }},
        Hostile{"cal_traffic(0.01, 1e300, 3)", kNaN, [] { return cal_traffic(0.01, 1e300, 3); }},
        Hostile{"cal_traffic(0.999999, 1e10, 3)", kNaN,
                [] { return cal_traffic(0.999999, 1e10, 3); }},
        Hostile{"cal_traffic(1, 0.5, 3)", 2, [] { return cal_traffic(1, 0.5, 3); }},
        Hostile{"cal_traffic(0, +inf, 3)", 2, [] { return cal_traffic(0, kInf, 3); }},
        Hostile{"cal_traffic(0.01, 10, 0)", kInf, [] { return cal_traffic(0.01, 10, 0); }},
        Hostile{"cal_traffic(0.01, 10, -0)", -kInf, [] { return cal_traffic(0.01, 10, -0.0); }},
        Hostile{"cal_traffic(0.01, 10, +inf)", 0, [] { return cal_traffic(0.01, 10, kInf); }},
        Hostile{"cal_traffic(0.01, 10, NaN)", kNaN, [] { return cal_traffic(0.01, 10, kNaN); }}));

// A negative traffic makes the blocking sum alternate in sign. The plain scan stops wherever the
// sum first turns negative, a count that means nothing; the engine answers "no answer" instead.
TEST(NegativeTraffic, HasNoAnswerWhereThePlainScanGivesAMeaninglessCount) {
    const auto plain = literal::cal_trunk(-10, 0.01, kScanLimit);
    ASSERT_TRUE(plain.has_value());
    EXPECT_NEAR(*plain, 23.81, 1e-9);
    EXPECT_TRUE(std::isnan(cal_trunk(-10, 0.01)));
    for (const double A : {-0.01, -1.0, -500.0, -1e300, -kInf, kNaN, -kNaN}) {
        for (const double p : {0.0, 1e-9, 0.01, 0.5, 1.0}) {
            EXPECT_TRUE(std::isnan(cal_trunk(A, p))) << digits17(A) << ", " << digits17(p);
        }
        // Where the first grid point, or the range check, already ends the scan, the answer
        // stands as before.
        EXPECT_EQ(cal_trunk(A, 1.5), 0.01);
        EXPECT_EQ(cal_trunk(A, 100), 0.01);
        EXPECT_EQ(cal_trunk(A, -0.5), 0);
        EXPECT_EQ(cal_trunk(A, 101), 0);
    }
}

}  // namespace
