// Times the engine's exports with nothing but the standard library, so that the same program
// runs on Linux and, built for Windows, under wine against vantrel.dll. It prints one line a row:
// function, traffic, target, median nanoseconds per call.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "vantrel.h"

namespace {

constexpr double kTraffics[] = {3000, 1e6};
constexpr double kTargets[] = {0.5, 0.01, 0.001, 1e-9};
constexpr double kMeanCallMinutes = 3;
constexpr int kBatches = 15;
constexpr double kBatchSeconds = 0.02;

volatile double sink;

using Clock = std::chrono::steady_clock;

// The median over several batches of the time of one call; each batch is long enough that the
// clock's resolution does not matter.
template <class Call>
double median_nanoseconds(Call call) {
    int per_batch = 1;
    for (;;) {
        const auto start = Clock::now();
        for (int i = 0; i < per_batch; ++i) {
            sink = call();
        }
        if (std::chrono::duration<double>(Clock::now() - start).count() >= kBatchSeconds) {
            break;
        }
        per_batch *= 2;
    }
    std::vector<double> times;
    for (int batch = 0; batch < kBatches; ++batch) {
        const auto start = Clock::now();
        for (int i = 0; i < per_batch; ++i) {
            sink = call();
        }
        const std::chrono::duration<double, std::nano> took = Clock::now() - start;
        times.push_back(took.count() / per_batch);
    }
    std::nth_element(times.begin(), times.begin() + kBatches / 2, times.end());
    return times[kBatches / 2];
}

}  // namespace

// As in the benchmark suite, cal_traffic is asked for the lines that cal_trunk finds for the
// traffic, so that the traffic it finds is about the one named.
int main() {
    for (const double A : kTraffics) {
        for (const double p : kTargets) {
            const double lines = cal_trunk(A, p);
            std::printf("cal_trunk %g %g %.0f\n", A, p,
                        median_nanoseconds([&] { return cal_trunk(A, p); }));
            std::printf("cal_traffic %g %g %.0f\n", A, p, median_nanoseconds([&] {
                            return cal_traffic(p, lines, kMeanCallMinutes);
                        }));
        }
    }
    return 0;
}
