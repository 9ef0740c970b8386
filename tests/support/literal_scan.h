#ifndef PELMORA_TESTS_LITERAL_SCAN_H
#define PELMORA_TESTS_LITERAL_SCAN_H

#include <cstdint>
#include <optional>

// The engine's searches written out step by step, with no shortcut of any kind: the oracle that
// the fast engine is compared with. Slow on purpose (about 100 n blocking evaluations of up to n
// terms each for n lines).
namespace literal {

// The blocking sum, term by term down to k < 1. Never call it with n >= 2^54 and A >= n: k - 1
// then no longer changes k and the loop would not end.
double erlang_b_blocking(double n, double A);

// The value after k additions of step to 0.
double accumulated(double step, std::uint64_t k);

// The scans, giving up (nullopt) after max_steps grid points.
std::optional<double> cal_trunk(double A, double p, std::uint64_t max_steps);
std::optional<double> cal_traffic(double p, double n, double t, std::uint64_t max_steps);

}  // namespace literal

#endif
