#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "double_text.h"
#include "literal_scan.h"
#include "vantrel.h"

// Whatever a caller has set in the x87 unit (Office, Visual Basic runtimes and MSVC programs run
// at 53-bit precision, MinGW programs at 64), the answers are the plain scans' and the caller's
// x87 controls come back unchanged. It matters on 32-bit Windows, where the C library's functions
// compute in the x87 unit; elsewhere it pins that nothing depends on it.
#if (defined(__i386__) || defined(__x86_64__)) && (defined(__GNUC__) || defined(__clang__))
namespace {

unsigned short x87_control() {
    unsigned short control = 0;
    asm volatile("fnstcw %0" : "=m"(control));
    return control;
}

void set_x87_control(unsigned short control) {
    asm volatile("fldcw %0" : : "m"(control));
}

struct Controls {
    const char* name;
    unsigned short word;
};

void PrintTo(const Controls& c, std::ostream* out) {
    *out << c.name;
}

class X87Controls : public testing::TestWithParam<Controls> {};

TEST_P(X87Controls, ChangeNoAnswerAndAreGivenBack) {
    const unsigned short before = x87_control();
    std::mt19937_64 random(87);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 300; ++i) {
        const double A = std::pow(10.0, -2 + 4.5 * unit(random));
        const double p = std::pow(10.0, -9 + 9 * unit(random));
        const double n = -2 + 200 * unit(random);
        const double t = std::pow(10.0, -1 + 3 * unit(random));
        const auto lines_scanned = literal::cal_trunk(A, p, 50'000'000);
        const auto calls_scanned = literal::cal_traffic(p, n, t, 50'000'000);
        ASSERT_TRUE(lines_scanned && calls_scanned);
        set_x87_control(GetParam().word);
        const double lines = cal_trunk(A, p);
        const double calls = cal_traffic(p, n, t);
        const unsigned short during = x87_control();
        set_x87_control(before);
        ASSERT_EQ(during, GetParam().word);
        ASSERT_TRUE(same_double(lines, *lines_scanned))
            << "cal_trunk(" << digits17(A) << ", " << digits17(p) << ") = " << digits17(lines);
        ASSERT_TRUE(same_double(calls, *calls_scanned))
            << "cal_traffic(" << digits17(p) << ", " << digits17(n) << ", " << digits17(t)
            << ") = " << digits17(calls);
    }
}

// The control word: exception masks 0x3f, precision 0x300 (0: 24 bits, 2: 53, 3: 64), rounding
// 0xc00 (0: nearest, 1: down, 2: up, 3: toward zero).
INSTANTIATE_TEST_SUITE_P(Callers, X87Controls,
                         testing::Values(Controls{"53_bits", 0x027f}, Controls{"64_bits", 0x037f},
                                         Controls{"24_bits", 0x007f},
                                         Controls{"53_bits_upward", 0x0a7f},
                                         Controls{"64_bits_toward_zero", 0x0f7f}));

}  // namespace
#endif
