#include "literal_scan.h"

namespace literal {

double erlang_b_blocking(double n, double A) {
    if (n < 1) {
        return 1;
    }
    double term = 1;
    double sum = 1;
    double k = n;
    for (;;) {
        const double q = k / A;
        term = term * q;
        sum = sum + term;
        if (!(term < 4.9655915709901e286)) {
            return 0;
        }
        k = k - 1;
        if (!(k >= 1)) {
            return 1 / sum;
        }
    }
}

double accumulated(double step, std::uint64_t k) {
    double value = 0;
    for (std::uint64_t i = 0; i < k; ++i) {
        value = value + step;
    }
    return value;
}

std::optional<double> cal_trunk(double A, double p, std::uint64_t max_steps) {
    if (p > 100 || p < 0) {
        return 0.0;
    }
    double n = 0;
    for (std::uint64_t step = 0; step < max_steps; ++step) {
        n = n + 0.01;
        if (erlang_b_blocking(n, A) < p) {
            return n;
        }
    }
    return std::nullopt;
}

std::optional<double> cal_traffic(double p, double n, double t, std::uint64_t max_steps) {
    double A = 0;
    for (std::uint64_t step = 0; step < max_steps; ++step) {
        A = A + 0.1;
        if (erlang_b_blocking(n, A) >= p) {
            return (A * 60) / t;
        }
    }
    return std::nullopt;
}

}  // namespace literal
