#ifndef VANTREL_GRID_SEARCH_H
#define VANTREL_GRID_SEARCH_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "grid.h"

namespace vantrel {

// A bracket whose two ends lie within this fraction of the upper end is narrow: probes in it are
// measured and placed by interpolation.
inline constexpr double kNarrowBracket = 0.03;

// What a search learns at one grid value: whether the condition holds there, and, when it was
// asked to measure, how far from flipping it is. The margin is positive where the condition holds,
// negative where it fails, grows with the grid value and is only used to choose the next grid value
// to try; NaN when not measured.
struct Probe {
    bool holds;
    double margin;
};

// The first value of an accumulated grid at which a condition
// holds, exactly as a scan from the first grid value upwards would find it, for a condition that
// fails up to some grid value and holds from there on. `probe(value, measure)` answers for one grid
// value (with its margin when `measure` is true), or nullopt when it cannot tell (its budget ran
// out).
//
// The result is nullopt when the condition fails even where the grid stalls (a scan would never
// end) or when `probe` could not tell. The index doubles until the condition holds; then the
// bracket shrinks by halving while it is wide, and by interpolating the margins (secant steps, with
// the Illinois damping) once it is within a few per cent of the answer, where measuring costs
// little more than asking and the margin is smooth. Whatever the steps, the answer is the upper end
// of a bracket of two neighbouring grid values whose verdicts differ.
template <class ProbeAt>
std::optional<double> first_grid_point(const Grid& grid, ProbeAt probe) {
    std::uint64_t failing = 0;  // the highest index known to fail; 0 before the first value
    std::uint64_t holding = 1;
    for (;;) {
        // A point short of the index asked for is the stall.
        const GridPoint point = grid.at(holding);
        const std::optional<Probe> verdict = probe(point.value, false);
        if (!verdict) {
            return std::nullopt;
        }
        if (verdict->holds) {
            holding = point.index;
            break;
        }
        if (point.index < holding) {
            return std::nullopt;
        }
        failing = holding;
        holding *= 2;
    }
    double failing_margin = NAN;
    double holding_margin = NAN;
    int same_side = 0;  // how often in a row the same end of the bracket moved
    // Interpolation may creep along one end of the bracket; whenever the last two steps have not
    // halved it, the next step halves it, so that it halves at least every three steps whatever the
    // margins say.
    std::uint64_t width_one_step_ago = UINT64_MAX;
    std::uint64_t width_two_steps_ago = UINT64_MAX;
    while (holding - failing > 1) {
        const std::uint64_t width = holding - failing;
        const bool narrow = grid.at(holding).value - grid.at(failing).value <=
                            kNarrowBracket * grid.at(holding).value;
        std::uint64_t next = failing + width / 2;
        // Margins not measured yet are NaN; they are tested as such, never compared, so that the
        // search raises no invalid-operation flag of its own.
        if (narrow && width <= width_two_steps_ago / 2 && !std::isnan(failing_margin) &&
            !std::isnan(holding_margin)) {
            const double fraction = failing_margin / (failing_margin - holding_margin);
            if (!std::isnan(fraction) && fraction > 0 && fraction < 1) {
                const auto offset =
                    static_cast<std::uint64_t>(fraction * static_cast<double>(width));
                next = failing + std::clamp<std::uint64_t>(offset, 1, width - 1);
            }
        }
        width_two_steps_ago = width_one_step_ago;
        width_one_step_ago = width;
        const std::optional<Probe> verdict = probe(grid.at(next).value, narrow);
        if (!verdict) {
            return std::nullopt;
        }
        if (verdict->holds) {
            holding = next;
            holding_margin = verdict->margin;
            same_side = same_side > 0 ? same_side + 1 : 1;
            if (same_side >= 2) {
                failing_margin /= 2;
            }
        } else {
            failing = next;
            failing_margin = verdict->margin;
            same_side = same_side < 0 ? same_side - 1 : -1;
            if (same_side <= -2) {
                holding_margin /= 2;
            }
        }
    }
    return grid.at(holding).value;
}

}  // namespace vantrel

#endif
