#ifndef VANTREL_SEARCHES_H
#define VANTREL_SEARCHES_H

#include <cstdint>

#include "term_budget.h"

namespace vantrel {

// The two searches behind the exports, with the term budget as a parameter so that tests can
// watch a search run out of it. Results and special cases as documented in vantrel.h.
double required_lines(double A, double p, std::uint64_t term_budget = kSearchTermBudget);
double processable_calls(double p, double n, double t,
                         std::uint64_t term_budget = kSearchTermBudget);

}  // namespace vantrel

#endif
