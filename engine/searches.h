#ifndef VANTREL_SEARCHES_H
#define VANTREL_SEARCHES_H

#include <cstdint>

#include "term_budget.h"

namespace vantrel {

// The two searches behind the exports. Results and special cases as documented in vantrel.h.
// Each spends blocking-sum terms from `budget`, so that tests can count what a search needs and
// watch one run out.
double required_lines(double A, double p, TermBudget& budget);
double processable_calls(double p, double n, double t, TermBudget& budget);

// The same with a budget of their own, of `term_budget` terms.
inline double required_lines(double A, double p, std::uint64_t term_budget = kSearchTermBudget) {
    TermBudget budget(term_budget);
    return required_lines(A, p, budget);
}
inline double processable_calls(double p, double n, double t,
                                std::uint64_t term_budget = kSearchTermBudget) {
    TermBudget budget(term_budget);
    return processable_calls(p, n, t, budget);
}

}  // namespace vantrel

#endif
