#include "searches.h"

#include <cmath>
#include <limits>

#include "erlang_b.h"
#include "grid.h"
#include "grid_search.h"

namespace vantrel {

namespace {

constexpr double kNoAnswer = std::numeric_limits<double>::quiet_NaN();

constexpr Grid kLineGrid(kLineStep);
constexpr Grid kTrafficGrid(kTrafficStep);

// Which side of the target a search looks for.
enum class Wanted { below, at_or_above };

// The probe of a search for the blocking B(n, A) against the target p: whether B is on the wanted
// side, and, when measured, log(B / p) with the sign that makes it positive on the wanted side.
// Unmeasured, the sum may end as soon as the verdict is certain.
std::optional<Probe> compare(double n, double A, const BlockingTarget& p, Wanted wanted,
                             bool measure, TermBudget& budget) {
    const bool want_below = wanted == Wanted::below;
    if (!measure) {
        const std::optional<bool> below = p.is_below(n, A, budget);
        if (!below) {
            return std::nullopt;
        }
        return Probe{*below == want_below, NAN};
    }
    const std::optional<double> blocking = erlang_b_blocking(n, A, budget);
    if (!blocking) {
        return std::nullopt;
    }
    const double log_ratio = std::log(*blocking) - std::log(p.value());
    return Probe{(*blocking < p.value()) == want_below, want_below ? -log_ratio : log_ratio};
}

}  // namespace

double required_lines(double A, double p, TermBudget& budget) {
    if (p > 100 || p < 0) {
        return 0;
    }
    // The first grid value, 0.01, has blocking 1, which already ends the search for p above 1.
    if (p > 1) {
        return kLineStep;
    }
    // No blocking is below 0 or below NaN. A negative or NaN traffic makes the blocking sum
    // alternate in sign, so it is not monotone and its first drop below p is not a line count.
    if (!(p > 0) || !(A >= 0)) {
        return kNoAnswer;
    }
    const BlockingTarget target(p);
    const auto lines = first_grid_point(kLineGrid, [&](double n, bool measure) {
        return compare(n, A, target, Wanted::below, measure, budget);
    });
    return lines.value_or(kNoAnswer);
}

double processable_calls(double p, double n, double t, TermBudget& budget) {
    // The blocking never exceeds 1, and for n >= 1 (or NaN) it never reaches exactly 1 before the
    // traffic grid stalls, so these targets are never reached.
    if (!(p <= 1) || (p == 1 && !(n < 1))) {
        return kNoAnswer;
    }
    const BlockingTarget target(p);
    const auto traffic = first_grid_point(kTrafficGrid, [&](double A, bool measure) {
        return compare(n, A, target, Wanted::at_or_above, measure, budget);
    });
    if (!traffic) {
        return kNoAnswer;
    }
    return (*traffic * 60) / t;
}

}  // namespace vantrel
