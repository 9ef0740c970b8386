#include <gtest/gtest.h>

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <ostream>
#include <thread>
#include <vector>
#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "double_text.h"
#include "erlang_b.h"
#include "grid.h"
#include "searches.h"
#include "vantrel.h"

namespace {

double blocking(double n, double A) {
    vantrel::TermBudget budget(UINT64_MAX);
    return vantrel::erlang_b_blocking(n, A, budget).value();
}

// The grid index whose value is `value` (the grid is strictly increasing up to its stall).
std::uint64_t index_of(const vantrel::Grid& grid, double value) {
    std::uint64_t low = 0;
    std::uint64_t high = grid.end().index;
    while (high - low > 1) {
        const std::uint64_t middle = low + (high - low) / 2;
        (grid.at(middle).value < value ? low : high) = middle;
    }
    return high;
}

// Far beyond the plain scan's reach an answer is checked by what defines it: it is a grid value,
// the condition holds there and fails at the grid value before it.
struct Large {
    double x;  // traffic for cal_trunk, lines for cal_traffic
    double p;
};

void PrintTo(const Large& c, std::ostream* out) {
    *out << digits17(c.x) << ", " << digits17(c.p);
}

class LargeAnswer : public testing::TestWithParam<Large> {};

TEST_P(LargeAnswer, TrunkStopsAtTheFirstGridValueBelowTheTarget) {
    const auto [A, p] = GetParam();
    const double lines = cal_trunk(A, p);
    ASSERT_FALSE(std::isnan(lines)) << digits17(A) << ", " << digits17(p);
    const vantrel::Grid grid(vantrel::kLineStep);
    const std::uint64_t k = index_of(grid, lines);
    ASSERT_EQ(grid.at(k).value, lines);
    EXPECT_LT(blocking(lines, A), p);
    EXPECT_GE(blocking(grid.at(k - 1).value, A), p);
}

TEST_P(LargeAnswer, TrafficStopsAtTheFirstGridValueAtOrAboveTheTarget) {
    const auto [n, p] = GetParam();
    // With t = 60 the calls per hour are (A * 60) / 60, which is A again for these traffics.
    const double A = cal_traffic(p, n, 60);
    ASSERT_FALSE(std::isnan(A)) << digits17(n) << ", " << digits17(p);
    const vantrel::Grid grid(vantrel::kTrafficStep);
    const std::uint64_t k = index_of(grid, A);
    ASSERT_EQ(grid.at(k).value, A);
    EXPECT_GE(blocking(n, A), p);
    EXPECT_LT(blocking(n, grid.at(k - 1).value), p);
}

INSTANTIATE_TEST_SUITE_P(UpToABillion, LargeAnswer,
                         testing::Values(Large{1e4, 0.01}, Large{1e6, 0.5}, Large{1e6, 1e-9},
                                         Large{123456789.5, 0.001}, Large{1e9, 0.5},
                                         Large{1e9, 0.01}, Large{1e9, 1e-9}, Large{1e9, 4.9e-324},
                                         Large{1e6, 0.999}));

TEST(Budget, AnExhaustedSearchHasNoAnswerAndAlwaysTheSameOne) {
    EXPECT_EQ(vantrel::required_lines(1000, 0.01), 1028.8499999992093);
    EXPECT_TRUE(std::isnan(vantrel::required_lines(1000, 0.01, 500)));
    EXPECT_TRUE(std::isnan(vantrel::processable_calls(0.01, 1000, 3, 500)));
    // Near 10^14 erlangs at a tiny target a single blocking sum costs more than a search may
    // spend: the search spends all of it, and no more, each time.
    for (int i = 0; i < 2; ++i) {
        vantrel::TermBudget trunk(vantrel::kSearchTermBudget);
        EXPECT_TRUE(std::isnan(vantrel::required_lines(1e14, 1e-300, trunk)));
        EXPECT_TRUE(trunk.exhausted());
        vantrel::TermBudget traffic(vantrel::kSearchTermBudget);
        EXPECT_TRUE(std::isnan(vantrel::processable_calls(1e-300, 1e14, 3, traffic)));
        EXPECT_TRUE(traffic.exhausted());
    }
}

// The dearest answers up to 10^9 lines or erlangs found in a wide sweep (tiny targets near the
// top of the range) need well under half the budget, so every answer up to there comes exact.
TEST(Budget, TheDearestAnswersUpToABillionNeedLessThanHalfOfIt) {
    const std::uint64_t half = vantrel::kSearchTermBudget / 2;
    vantrel::TermBudget trunk(vantrel::kSearchTermBudget);
    const double lines = vantrel::required_lines(958844363.95655549, 5.21826e-306, trunk);
    EXPECT_LT(lines, 1e9);
    EXPECT_GT(trunk.left(), half);
    vantrel::TermBudget traffic(vantrel::kSearchTermBudget);
    const double erlangs =
        vantrel::processable_calls(2.27484e-304, 999200263.92082536, 60, traffic);
    EXPECT_LT(erlangs, 1e9);
    EXPECT_GT(traffic.left(), half);
}

TEST(Threads, TwoThreadsAtOnceGetTheAnswersOfOne) {
    std::vector<std::pair<double, double>> inputs;
    for (int i = 1; i <= 60; ++i) {
        inputs.emplace_back(i * 37.5, 1.0 / (i * i + 1));
    }
    std::vector<double> alone;
    for (const auto& [x, p] : inputs) {
        alone.push_back(cal_trunk(x, p));
        alone.push_back(cal_traffic(p, x, 3));
    }
    std::vector<double> first;
    std::vector<double> second;
    auto run = [&](std::vector<double>& out) {
        for (const auto& [x, p] : inputs) {
            out.push_back(cal_trunk(x, p));
            out.push_back(cal_traffic(p, x, 3));
        }
    };
    std::thread a(run, std::ref(first));
    std::thread b(run, std::ref(second));
    a.join();
    b.join();
    EXPECT_EQ(first, alone);
    EXPECT_EQ(second, alone);
}

TEST(FloatingPointEnvironment, TheCallersSettingsChangeNoAnswerAndAreGivenBack) {
    const double lines = cal_trunk(100, 0.01);
    const double calls = cal_traffic(0.01, 18, 3);
    for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        const double lines_in_mode = cal_trunk(100, 0.01);
        const double calls_in_mode = cal_traffic(0.01, 18, 3);
        const int mode_after = std::fegetround();
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(lines_in_mode, lines);
        EXPECT_EQ(calls_in_mode, calls);
        EXPECT_EQ(mode_after, mode);
    }
#if defined(__x86_64__)
    // Flushing subnormals to zero, as a host built for fast arithmetic may do.
    const unsigned int saved = _mm_getcsr();
    _mm_setcsr(saved | 0x8040);
    const double tiny_target = cal_trunk(10, 4.9e-324);
    const unsigned int csr_after = _mm_getcsr();
    _mm_setcsr(saved);
    EXPECT_EQ(tiny_target, cal_trunk(10, 4.9e-324));
    EXPECT_EQ(csr_after, saved | 0x8040);
#endif
}

// A call leaves the caller's exception flags exactly as it found them: none raised, all raised,
// on ordinary, edge and budget-exhausting inputs.
struct Call {
    const char* what;
    double (*call)();
};

void PrintTo(const Call& c, std::ostream* out) {
    *out << c.what;
}

const Call kCalls[] = {
    {"cal_trunk(10, 0.01)", [] { return cal_trunk(10, 0.01); }},
    {"cal_traffic(0.01, 18, 3)", [] { return cal_traffic(0.01, 18, 3); }},
    {"cal_traffic(0.01, 10, 3)", [] { return cal_traffic(0.01, 10, 3); }},
    {"cal_trunk(NaN, 0.01)", [] { return cal_trunk(NAN, 0.01); }},
    {"cal_trunk(1e300, 0.01)", [] { return cal_trunk(1e300, 0.01); }},
    {"cal_trunk(0, 0.01)", [] { return cal_trunk(0, 0.01); }},
    {"cal_traffic(0.5, NaN, 3)", [] { return cal_traffic(0.5, NAN, 3); }},
    {"cal_traffic(0.01, 10, 0)", [] { return cal_traffic(0.01, 10, 0); }},
    {"cal_traffic(0.01, 1e-320, 3)", [] { return cal_traffic(0.01, 1e-320, 3); }},
    {"cal_trunk(1e14, 1e-300)", [] { return cal_trunk(1e14, 1e-300); }},
    {"cal_traffic(1e-300, 1e14, 3)", [] { return cal_traffic(1e-300, 1e14, 3); }},
    {"cal_trunk(100, 1e-288)", [] { return cal_trunk(100, 1e-288); }},
    {"cal_trunk(10, 1e-300)", [] { return cal_trunk(10, 1e-300); }},
    {"cal_traffic(5e-324, 100, 3)", [] { return cal_traffic(5e-324, 100, 3); }},
};

class Flags : public testing::TestWithParam<Call> {};

TEST_P(Flags, AreTheCallersOwnAfterTheCall) {
    for (const int raised : {0, FE_ALL_EXCEPT}) {
        std::feclearexcept(FE_ALL_EXCEPT);
        std::feraiseexcept(raised);
        GetParam().call();
        const int after = std::fetestexcept(FE_ALL_EXCEPT);
        std::feclearexcept(FE_ALL_EXCEPT);
        EXPECT_EQ(after, raised) << "flags raised before the call: " << raised;
    }
}

TEST_P(Flags, LeaveTheCallersErrnoAsItWas) {
    errno = EINTR;
    GetParam().call();
    EXPECT_EQ(errno, EINTR);
}

#if defined(__x86_64__)
// With the invalid-operation trap unmasked, any comparison with NaN inside would end the program.
TEST_P(Flags, NoTrapFiresWhenTheCallerUnmasksInvalidOperations) {
    constexpr unsigned int kInvalidMask = 0x80;
    const unsigned int saved = _mm_getcsr();
    _mm_setcsr(saved & ~kInvalidMask);
    GetParam().call();
    const unsigned int after = _mm_getcsr();
    _mm_setcsr(saved);
    EXPECT_EQ(after, saved & ~kInvalidMask);
}
#endif

INSTANTIATE_TEST_SUITE_P(Calls, Flags, testing::ValuesIn(kCalls));

// The searches themselves compare no margin that is not yet measured.
TEST(Searches, RaiseNoInvalidOperationOfTheirOwn) {
    std::feclearexcept(FE_ALL_EXCEPT);
    vantrel::required_lines(10, 0.01);
    vantrel::processable_calls(0.01, 18, 3);
    EXPECT_FALSE(std::fetestexcept(FE_INVALID));
}

}  // namespace
