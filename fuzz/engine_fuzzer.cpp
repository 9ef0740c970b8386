// Any arguments for either search (a byte that chooses it, then three doubles; further bytes are
// ignored): the call returns (the run's timeout holds it to the bound),
// gives a result of the documented kind, and agrees bit for bit with the plain scan wherever that
// scan is cheap enough to run here.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "literal_scan.h"
#include "vantrel.h"

namespace {

constexpr std::uint64_t kScanLimit = 2000;

bool same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

void check_trunk(double A, double p) {
    const double lines = cal_trunk(A, p);
    if (!(std::isnan(lines) || lines == 0 || lines >= 0.01)) {
        std::abort();
    }
    const bool documented_deviation = !(A >= 0) && p >= 0 && p <= 1;
    const bool scan_is_cheap = !(std::fabs(A) > 1e3) || p > 1 || p < 0;
    if (documented_deviation || !scan_is_cheap) {
        return;
    }
    if (const auto expected = literal::cal_trunk(A, p, kScanLimit)) {
        if (!same(lines, *expected)) {
            std::abort();
        }
    }
}

void check_traffic(double p, double n, double t) {
    const double calls = cal_traffic(p, n, t);
    const bool scan_is_cheap = !(n > 50 && n < 1e6);
    if (!scan_is_cheap) {
        return;
    }
    if (const auto expected = literal::cal_traffic(p, n, t, kScanLimit)) {
        if (!same(calls, *expected)) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 + 3 * sizeof(double)) {
        return -1;
    }
    double x[3];
    std::memcpy(x, data + 1, sizeof x);
    if (data[0] % 2 == 0) {
        check_trunk(x[0], x[1]);
    } else {
        check_traffic(x[0], x[1], x[2]);
    }
    return 0;
}
