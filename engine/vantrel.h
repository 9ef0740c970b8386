/*
 * vantrel: the Erlang B traffic engine.
 *
 * Two searches over the Erlang B blocking probability of a group of lines
 * offered Poisson traffic. Both step along a fixed grid that is accumulated in
 * double precision (0.01 line, 0.1 erlang), so their answers carry the drift of
 * that running sum: cal_trunk(10, 0.01) is 17.44999999999993, not 17.45. The
 * grids and their drift are part of the interface; every answer is the exact
 * double that a plain step-by-step scan of the grid would stop at.
 *
 * The blocking B(n, A) for n lines (a real number) and A erlangs is evaluated
 * as 1/B = 1 + n/A + n(n-1)/A^2 + ..., with floor(n) terms after the 1, so for
 * a fractional n it falls smoothly within [N, N+1) and steps down at every
 * whole number. B is 1 for n < 1, and exactly 0 once a term of the sum reaches
 * 4.9655915709901e286 (for example for A = 0 and n >= 1).
 *
 * "No answer" is a quiet NaN. It is returned where the plain scan would never
 * stop: the condition never holds before the grid value stops growing (the
 * grid stalls once the step is below half a unit in the last place, near
 * 1.4e14 lines or 1.1e15 erlangs). It is also returned, deterministically,
 * for the rare inputs whose exact answer lies beyond 10^9 lines or erlangs and
 * would take more than about 0.15 s to find; every answer up to 10^9 is exact.
 * Test a result with isnan() before using it.
 *
 * Every call takes its arguments by value, keeps nothing between calls, reads
 * and writes no global state (errno included: the C library's own underflows
 * inside a call leave no ERANGE) and is safe to call from any number of threads
 * at once. Each call computes in the default floating-point environment (round
 * to nearest, no flush of subnormals to zero, no traps) whatever environment
 * the caller has set, and gives the caller's environment back on return, its
 * exception flags included: a call raises no floating-point exception flag
 * and trips no trap the caller has enabled.
 *
 * On Windows the library is vantrel.dll; both functions are exported by their
 * plain names, and the DLL depends on nothing but the system's own DLLs. The
 * 32-bit DLL uses the stdcall convention (the callee removes the arguments),
 * which 32-bit Windows programs and a 32-bit VBA Declare call; VANTREL_CALL
 * names it, so a C or C++ caller that includes this header calls it right. The
 * 64-bit DLL has the platform's one convention. On 32-bit Windows the caller's
 * x87 precision and rounding control (53 bits in Office and MSVC programs, 64
 * in MinGW ones) change no answer: the DLL computes in SSE2, as the 64-bit DLL
 * does, and gives the caller's x87 and SSE environment back exactly.
 *
 * The library's version is VANTREL_VERSION ("1.0.0.1") and its four parts.
 */
#ifndef VANTREL_H
#define VANTREL_H

#define VANTREL_VERSION_MAJOR 1
#define VANTREL_VERSION_MINOR 0
#define VANTREL_VERSION_PATCH 0
#define VANTREL_VERSION_TWEAK 1
#define VANTREL_TEXT_(x) #x
#define VANTREL_TEXT(x) VANTREL_TEXT_(x)
#define VANTREL_VERSION                                       \
    VANTREL_TEXT(VANTREL_VERSION_MAJOR)                       \
    "." VANTREL_TEXT(VANTREL_VERSION_MINOR) "." VANTREL_TEXT( \
        VANTREL_VERSION_PATCH) "." VANTREL_TEXT(VANTREL_VERSION_TWEAK)

#if defined(_WIN32)
#if defined(VANTREL_BUILDING_LIBRARY)
#define VANTREL_API __declspec(dllexport)
#else
#define VANTREL_API __declspec(dllimport)
#endif
#else
#define VANTREL_API __attribute__((visibility("default")))
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define VANTREL_CALL __stdcall
#else
#define VANTREL_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Required lines: the number of lines that offered traffic A (erlangs) needs
 * so that the blocking falls strictly below the loss-probability target p
 * (a fraction: 0.01 is one call in a hundred).
 *
 * Result: the first value n = 0.01, 0.02, ... of the accumulated 0.01-line
 * grid with B(n, A) < p, for example cal_trunk(10, 0.01) = 17.44999999999993
 * and cal_trunk(100, 0.01) = 116.88000000002289.
 *
 * Range and special results:
 *   p < 0 or p > 100          0 (target out of range)
 *   1 < p <= 100              0.01 (the blocking of any n below 1 is 1)
 *   p = 0 or p NaN            NaN: the blocking never falls below p
 *   0 < p <= 1, A >= 0        the grid answer; A = 0 gives 1.0000000000000007
 *   0 < p <= 1, A huge or +inf NaN once the blocking cannot fall below p
 *                             before the grid stalls (cal_trunk(1e300, 0.01))
 *   0 <= p <= 1, A < 0 or NaN NaN: a negative traffic has no meaningful line
 *                             count (the blocking sum alternates in sign)
 */
VANTREL_API double VANTREL_CALL cal_trunk(double A, double p);

/*
 * Processable calls: the calls per hour that n lines carry at the
 * loss-probability target p with a mean holding time of t minutes.
 *
 * Result: (A * 60) / t, where A is the first value 0.1, 0.2, ... of the
 * accumulated 0.1-erlang grid with B(n, A) >= p; for example
 * cal_traffic(0.01, 10, 3) = 90 and cal_traffic(0.01, 18, 3) =
 * 209.99999999999957. No argument is range-checked.
 *
 * Range and special results:
 *   p <= 0                    6 / t (the first grid point already qualifies)
 *   n < 1, p <= 1             6 / t (the blocking of n below 1 is 1)
 *   p > 1 or p NaN            NaN: the blocking never reaches p
 *   p = 1, n >= 1             NaN: the blocking never reaches 1 on the grid
 *   n = +inf or NaN, p > 0    NaN: the blocking is 0 for every traffic
 *   t = 0                     the IEEE quotient: +inf, -inf (t = -0) or NaN
 *   t < 0                     a negative number of calls
 */
VANTREL_API double VANTREL_CALL cal_traffic(double p, double n, double t);

/*
 * The two functions' types, for a caller that finds them at run time
 * (GetProcAddress, dlsym): on 32-bit Windows they carry the stdcall
 * convention, which a pointer declared without it would not, and the caller's
 * stack would move at every call.
 */
typedef double(VANTREL_CALL* vantrel_trunk_function)(double A, double p);
typedef double(VANTREL_CALL* vantrel_traffic_function)(double p, double n, double t);

#ifdef __cplusplus
}
#endif

#endif /* VANTREL_H */
