#ifndef VANTREL_ERLANG_B_H
#define VANTREL_ERLANG_B_H

#include <optional>

#include "term_budget.h"

namespace vantrel {

// A term of the blocking sum at or above this bound makes the blocking exactly 0.
inline constexpr double kTermOverflowGuard = 4.9655915709901e286;

// Erlang B blocking probability of n lines (a real number) offered A erlangs, evaluated as
// 1/B = 1 + n/A + n(n-1)/A^2 + ... with k walking down from n in steps of one. The operations and
// their order are those of the plain evaluation: each factor is divided first (k / A) and then
// multiplied into the term, the overflow guard is tested after the term has joined the sum, and
// the result is 1 / sum. It returns the same double for every input.
//
// The one shortcut is exact: once the factors are at most 1 the terms can only shrink, and once
// a term is below half a unit in the last place of the (positive) sum, no later term can change
// the sum, so the loop stops there.
//
// Each term evaluated is taken from `budget`; when the budget runs out before the result is
// known, the result is nullopt and the budget is empty.
std::optional<double> erlang_b_blocking(double n, double A, TermBudget& budget);

// A loss-probability target for the blocking, with the sum that decides it: the blocking is below
// the target exactly when the final sum reaches the smallest sum whose reciprocal rounds below it.
class BlockingTarget {
  public:
    explicit BlockingTarget(double target);

    double value() const { return target_; }

    // Whether B(n, A) is strictly below the target: the same evaluation as erlang_b_blocking, but
    // it ends as soon as the answer is certain. For a positive traffic the sum only grows, so once
    // it reaches the deciding sum the blocking is below; and once a bound on the rest of the
    // falling sum keeps it short of that, it is not. nullopt when the budget runs out first.
    std::optional<bool> is_below(double n, double A, TermBudget& budget) const;

  private:
    double target_;
    double deciding_sum_;
};

}  // namespace vantrel

#endif
