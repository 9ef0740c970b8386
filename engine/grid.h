#ifndef VANTREL_GRID_H
#define VANTREL_GRID_H

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace vantrel {

// The grid steps of the two searches: lines for cal_trunk, erlangs for cal_traffic.
inline constexpr double kLineStep = 0.01;
inline constexpr double kTrafficStep = 0.1;

// A point of an accumulated grid: the value after `index` additions of the step to 0.
struct GridPoint {
    std::uint64_t index;
    double value;
};

namespace grid_detail {

// The biased exponent field: equal for two positive normal doubles exactly when they share a
// binade.
constexpr std::uint64_t binade_of(double x) {
    return std::bit_cast<std::uint64_t>(x) >> 52;
}

constexpr double ulp_in_binade_of(double x) {
    return std::bit_cast<double>((binade_of(x) - 52) << 52);
}

// How many additions of `increment`, from `value`, are sure to round like the others: while
// value + step stays below the binade's end. step <= increment + ulp/2, so it suffices that
// value + increment + ulp stays at or below the end.
constexpr std::uint64_t additions_left_in_binade(double value, double increment) {
    const double ulp = ulp_in_binade_of(value);
    const auto units = static_cast<std::int64_t>(value / ulp);           // in [2^52, 2^53)
    const auto step_units = static_cast<std::int64_t>(increment / ulp);  // exact: a multiple
    constexpr std::int64_t kBinadeEnd = std::int64_t{1} << 53;
    const std::int64_t room = kBinadeEnd - 1 - step_units - units;
    return room < 0 ? 0 : static_cast<std::uint64_t>(room / step_units) + 1;
}

// value + count * increment, exactly: all three are multiples of the binade's ulp and the result
// stays in the binade.
constexpr double advance(double value, double increment, std::uint64_t count) {
    const double ulp = ulp_in_binade_of(value);
    const auto units = static_cast<std::int64_t>(value / ulp);
    const auto step_units = static_cast<std::int64_t>(increment / ulp);
    return static_cast<double>(units + static_cast<std::int64_t>(count) * step_units) * ulp;
}

}  // namespace grid_detail

// The grid that a running sum of `step` walks through: 0 + step, + step, ..., each addition
// rounded to nearest, so that it drifts away from k * step. Once the step is too small to change
// the running value, the value stalls for good.
//
// Inside one binade every addition rounds to the same multiple of the binade's ulp (a rounding
// tie can make the first increment differ from the rest), so the walk consists of long runs of
// one constant increment joined by a few single additions at the binade boundaries. The
// constructor walks the grid once, about 60 binades, recording those runs; after that any point
// costs a table lookup, a multiplication and at most a few additions. Everything is constexpr, so
// the searches' two grids are tables built by the compiler.
//
// `step` must be positive and at least 2^-900 (the ulps of the walk stay normal); the arithmetic
// must round to nearest.
class Grid {
  public:
    constexpr explicit Grid(double step) : step_(step) {
        double value = 0;
        std::uint64_t index = 0;
        double previous_increment = -1;
        bool previous_in_binade = false;
        for (;;) {
            const double next = value + step;
            if (next == value) {
                break;
            }
            const double increment = next - value;
            const bool in_binade =
                value != 0 && grid_detail::binade_of(next) == grid_detail::binade_of(value);
            value = next;
            ++index;
            // Two equal increments in a row inside one binade: from here on every addition inside
            // it rounds to this same increment (a tie rounds to an even multiple of the ulp, and
            // every later addition starts from that even value).
            if (in_binade && previous_in_binade && increment == previous_increment) {
                const std::uint64_t length =
                    grid_detail::additions_left_in_binade(value, increment);
                if (length > 0 && run_count_ < runs_.size()) {
                    runs_[run_count_++] = {index, value, increment, length};
                    value = grid_detail::advance(value, increment, length);
                    index += length;
                }
            }
            previous_increment = increment;
            previous_in_binade = in_binade;
        }
        end_ = {index, value};
    }

    // The value after k additions, or the stalled value (with its own index) for k beyond the
    // stall.
    constexpr GridPoint at(std::uint64_t k) const {
        if (k >= end_.index) {
            return end_;
        }
        const Run* const first = runs_.data();
        const Run* const last = first + run_count_;
        const Run* const after = std::upper_bound(
            first, last, k, [](std::uint64_t i, const Run& run) { return i < run.first_index; });
        if (after == first) {
            return single_steps({0, 0.0}, k);
        }
        const Run& run = *(after - 1);
        const std::uint64_t into_run = std::min(k - run.first_index, run.length);
        const GridPoint run_point{run.first_index + into_run,
                                  grid_detail::advance(run.first_value, run.increment, into_run)};
        return single_steps(run_point, k);
    }

    // The stall: the first index whose next addition leaves the value unchanged.
    constexpr GridPoint end() const { return end_; }

  private:
    // Additions first_index + 1 ... first_index + length each add `increment` exactly.
    struct Run {
        std::uint64_t first_index;
        double first_value;
        double increment;
        std::uint64_t length;
    };

    constexpr GridPoint single_steps(GridPoint from, std::uint64_t k) const {
        while (from.index < k) {
            from.value = from.value + step_;
            ++from.index;
        }
        return from;
    }

    double step_;
    // One run per binade between the step and the stall, which lies about 54 binades above it.
    std::array<Run, 72> runs_{};
    std::size_t run_count_ = 0;
    GridPoint end_{};
};

}  // namespace vantrel

#endif
