#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "grid.h"
#include "grid_search.h"

namespace {

using vantrel::Grid;
using vantrel::Probe;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// How the margins handed to the search misbehave: the answer may never depend on them, and the
// number of probes must stay logarithmic whatever they say.
enum class Margins { honest, missing, noisy, misleading, wrong_sign, infinite };

double margin_for(Margins kind, double value, double threshold, bool holds,
                  std::mt19937_64& random) {
    const double honest = std::log(value) - std::log(threshold);
    std::uniform_real_distribution<double> unit(0, 1);
    switch (kind) {
        case Margins::honest:
            return honest;
        case Margins::missing:
            return kNaN;
        case Margins::noisy:
            return honest * (0.2 + 5 * unit(random)) + (holds ? 1e-3 : -1e-3);
        case Margins::misleading:  // every secant step lands next to the failing end
            return holds ? 1e12 : -1e-12;
        case Margins::wrong_sign:
            return -honest;
        case Margins::infinite:
            return holds ? kInf : -kInf;
    }
    return kNaN;
}

// Doubling to the stall takes at most 54 probes, and the bracket then halves at least every three.
constexpr int kMostProbes = 54 + 3 * 54;

class FirstGridPoint : public testing::TestWithParam<Margins> {};

TEST_P(FirstGridPoint, FindsTheThresholdInFewProbesWhateverTheMargins) {
    const Grid grid(0.01);
    std::mt19937_64 random(static_cast<unsigned>(GetParam()) + 17);
    for (int i = 0; i < 3000; ++i) {
        // Thresholds spread over all binades of the grid, up to its stall.
        const auto target_index =
            std::min<std::uint64_t>(grid.end().index, 1 + (random() >> (11 + random() % 53)));
        const double threshold = grid.at(target_index).value;
        int probes = 0;
        const auto found = vantrel::first_grid_point(grid, [&](double value, bool) {
            if (++probes > kMostProbes) {
                return std::optional<Probe>();  // a search that creeps fails here, not hangs
            }
            const bool holds = value >= threshold;
            return std::optional<Probe>(
                Probe{holds, margin_for(GetParam(), value, threshold, holds, random)});
        });
        ASSERT_EQ(found, std::optional<double>(threshold)) << "index " << target_index;
    }
}

INSTANTIATE_TEST_SUITE_P(Margins, FirstGridPoint,
                         testing::Values(Margins::honest, Margins::missing, Margins::noisy,
                                         Margins::misleading, Margins::wrong_sign,
                                         Margins::infinite));

TEST(FirstGridPointEnds, NoAnswerWhenTheConditionFailsUpToTheStall) {
    const Grid grid(0.1);
    int probes = 0;
    const auto found = vantrel::first_grid_point(grid, [&](double, bool) {
        ++probes;
        return std::optional<Probe>(Probe{false, -1});
    });
    EXPECT_FALSE(found.has_value());
    EXPECT_LE(probes, 64);
}

TEST(FirstGridPointEnds, TheStalledValueItselfCanBeTheAnswer) {
    const Grid grid(0.1);
    const double last = grid.end().value;
    const auto found = vantrel::first_grid_point(grid, [&](double value, bool) {
        return std::optional<Probe>(Probe{value >= last, kNaN});
    });
    EXPECT_EQ(found, std::optional<double>(last));
}

TEST(FirstGridPointEnds, AProbeThatCannotTellEndsTheSearchWithoutAnswer) {
    const Grid grid(0.01);
    const auto search = [&](int give_up_at, int& probes) {
        return vantrel::first_grid_point(grid, [&](double value, bool) {
            if (++probes == give_up_at) {
                return std::optional<Probe>();
            }
            return std::optional<Probe>(Probe{value >= 1234.5, kNaN});
        });
    };
    int all_probes = 0;
    ASSERT_TRUE(search(0, all_probes).has_value());
    for (int give_up_at = 1; give_up_at <= all_probes; ++give_up_at) {
        int probes = 0;
        EXPECT_FALSE(search(give_up_at, probes).has_value()) << give_up_at;
        EXPECT_EQ(probes, give_up_at);
    }
}

}  // namespace
