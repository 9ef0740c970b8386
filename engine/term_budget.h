#ifndef VANTREL_TERM_BUDGET_H
#define VANTREL_TERM_BUDGET_H

#include <cstdint>

namespace vantrel {

// The number of blocking-sum terms one search may still evaluate. Counting terms instead of
// watching a clock keeps every answer deterministic: the same input always stops at the same
// place, however busy the machine is.
class TermBudget {
  public:
    explicit constexpr TermBudget(std::uint64_t terms) : left_(terms) {}

    constexpr std::uint64_t left() const { return left_; }
    constexpr bool exhausted() const { return left_ == 0; }
    constexpr void spend(std::uint64_t terms) { left_ = terms < left_ ? left_ - terms : 0; }

  private:
    std::uint64_t left_;
};

// One search's allowance. The dearest answers up to 10^9 lines or erlangs (targets near the
// smallest double, traffic near the top of that range) spend about 3.5e7 terms, so all of them
// come exact with room to spare; a search that runs out returns in about 0.1 s.
inline constexpr std::uint64_t kSearchTermBudget = 100'000'000;

}  // namespace vantrel

#endif
