#include "erlang_b.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace vantrel {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// An upper bound, at least as large as any sum the remaining additions can produce, for a sum in
// its falling phase: the last factor q <= 1 bounds every later one, so every later computed term is
// at most term * rho^i with rho = q (1 + 2^-52) (the extra ulp covers the rounding of each
// product), and the rest adds up to at most term * rho / (1 - rho). Only additions of a term of at
// least half an ulp of the sum (2^-54 of it) change it, at most 37.5 / (1 - rho) of them, and each
// rounds up by at most a factor 1 + 2^-53. The result carries 2^-40 of slack for the rounding of
// this formula; +inf when the terms fall too slowly for a useful bound.
double bound_of_final_sum(double sum, double term, double q) {
    const double rho = q * (1 + 0x1p-52);
    if (!(rho < 1 - 0x1p-20)) {
        return kInfinity;
    }
    const double rest = term * rho / (1 - rho);
    const double roundings = 1 + 37.5 / (1 - rho);
    return (sum + rest * (1 + 0x1p-40)) * (1 + roundings * 0x1p-50 + 0x1p-40);
}

// The evaluation of erlang_b_blocking. With a finite `stop_sum`, the smallest sum whose reciprocal
// is below some target, it may end as soon as the sum's side of stop_sum is certain: when the sum
// reaches it (later terms only add), or when bound_of_final_sum keeps it below. The result is then
// not the blocking but lies on the same side of the target: 1 / sum at or above stop_sum, or
// 1 / bound below it.
std::optional<double> evaluate(double n, double A, double stop_sum, TermBudget& budget) {
    if (n < 1) {
        return 1.0;
    }
    // With A > 0 every term is non-negative, which all early ends rely on. A zero, negative or
    // NaN traffic takes the plain path: the guard ends it within two terms or it is never asked.
    const bool may_stop_early = A > 0;
    const bool has_stop_sum = stop_sum < kInfinity;
    std::uint64_t terms = 0;
    const std::uint64_t allowed = budget.left();
    double term = 1;
    double sum = 1;
    double k = n;
    do {
        if (terms == allowed) {
            budget.spend(terms);
            return std::nullopt;
        }
        ++terms;
        const double q = k / A;
        term = term * q;
        sum = sum + term;
        if (!(term < kTermOverflowGuard)) {
            budget.spend(terms);
            return 0.0;
        }
        if (may_stop_early) {
            // Later factors are no larger than q (k only falls), so with q <= 1 later terms are
            // no larger than this one; term * 2^54 < sum puts them all below half an ulp of the
            // sum, which is then final.
            if (q <= 1 && term * 0x1p54 < sum) {
                break;
            }
            if (sum >= stop_sum) {
                break;
            }
            if (has_stop_sum && q <= 1) {
                if (const double bound = bound_of_final_sum(sum, term, q); bound < stop_sum) {
                    budget.spend(terms);
                    return 1 / bound;
                }
            }
        }
        k = k - 1;
    } while (k >= 1);
    budget.spend(terms);
    return 1 / sum;
}

// The smallest sum whose reciprocal rounds below the target (+inf when there is none): from
// 1/target, a few steps of one ulp settle the rounding of the reciprocal.
double smallest_sum_below(double target) {
    if (!(target > 0)) {
        return kInfinity;
    }
    double sum = 1 / target;
    while (sum > 0 && 1 / sum < target) {
        sum = std::nextafter(sum, 0.0);
    }
    while (!(1 / sum < target) && sum < kInfinity) {
        sum = std::nextafter(sum, kInfinity);
    }
    return sum;
}

}  // namespace

std::optional<double> erlang_b_blocking(double n, double A, TermBudget& budget) {
    return evaluate(n, A, kInfinity, budget);
}

BlockingTarget::BlockingTarget(double target)
    : target_(target), deciding_sum_(smallest_sum_below(target)) {}

std::optional<bool> BlockingTarget::is_below(double n, double A, TermBudget& budget) const {
    const std::optional<double> blocking = evaluate(n, A, deciding_sum_, budget);
    if (!blocking) {
        return std::nullopt;
    }
    return *blocking < target_;
}

}  // namespace vantrel
