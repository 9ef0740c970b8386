#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "ascii_name.h"
#include "double_text.h"
#include "form/box_value.h"
#include "form/number_text.h"

namespace {

struct Shown {
    double value;
    const char* text;
};

void PrintTo(const Shown& s, std::ostream* out) {
    *out << digits17(s.value);
}

class NumberText : public testing::TestWithParam<Shown> {};

std::string name_of_shown(const testing::TestParamInfo<Shown>& info) {
    return ascii_name(digits17(info.param.value));
}

TEST_P(NumberText, IsTheValueInFifteenSignificantDigits) {
    EXPECT_EQ(pelmora::number_text(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Plain, NumberText,
    testing::Values(Shown{0.5, " .5"}, Shown{-0.25, "-.25"}, Shown{209.99999999999957, " 210"},
                    Shown{4.166666666666667, " 4.16666666666667"}, Shown{1.5, " 1.5"},
                    Shown{17.44999999999993, " 17.4499999999999"},
                    Shown{4.349999999999952, " 4.34999999999995"},
                    Shown{116.88000000002289, " 116.880000000023"}, Shown{1.0000000000000007, " 1"},
                    Shown{-1.0000000000000007, "-1"}, Shown{69.00000000000003, " 69"},
                    Shown{90, " 90"}, Shown{-90, "-90"}, Shown{100, " 100"}, Shown{0.1, " .1"},
                    Shown{1.0 / 3, " .333333333333333"}, Shown{2.0 / 3, " .666666666666667"},
                    Shown{123.456, " 123.456"}, Shown{0, " 0"}, Shown{-0.0, " 0"},
                    Shown{1e14, " 100000000000000"}),
    name_of_shown);

// Exponent form from 10^15 up and below 10^-4, judged on the value rounded to 15 digits.
INSTANTIATE_TEST_SUITE_P(
    Exponent, NumberText,
    testing::Values(Shown{1e15, " 1E+15"}, Shown{999999999999999, " 999999999999999"},
                    Shown{999999999999999.4, " 999999999999999"},
                    Shown{999999999999999.6, " 1E+15"}, Shown{1.5e-5, " 1.5E-05"},
                    Shown{-2.5e100, "-2.5E+100"}, Shown{0.0001, " .0001"},
                    Shown{0.00009999999999999999, " .0001"}, Shown{0.00001, " 1E-05"},
                    Shown{1.25e-4, " .000125"}, Shown{-9.87654321e-5, "-9.87654321E-05"},
                    Shown{4.9406564584124654e-324, " 4.94065645841247E-324"},
                    Shown{1.7976931348623157e308, " 1.79769313486232E+308"},
                    Shown{1e300, " 1E+300"}, Shown{123456789012345678.0, " 1.23456789012346E+17"}),
    name_of_shown);

INSTANTIATE_TEST_SUITE_P(NotFinite, NumberText,
                         testing::Values(Shown{std::numeric_limits<double>::infinity(), " inf"},
                                         Shown{-std::numeric_limits<double>::infinity(), "-inf"},
                                         Shown{std::numeric_limits<double>::quiet_NaN(), " nan"}),
                         name_of_shown);

// Whatever the magnitude, the text reads back as the value to 15 significant digits.
TEST(NumberTextReadBack, GivesTheValueToFifteenDigits) {
    std::mt19937_64 random(15);
    for (int i = 0; i < 200000; ++i) {
        const double x = std::bit_cast<double>(random());
        if (!std::isfinite(x)) {
            continue;
        }
        const std::string text = pelmora::number_text(x);
        const std::u16string wide(text.begin(), text.end());
        const double back = pelmora::box_value(wide);
        // Half a unit in the 15th significant digit, and the rounding of the text back to binary.
        const double fifteenth_digit = std::pow(10.0, std::floor(std::log10(std::fabs(x))) - 14);
        ASSERT_LE(std::fabs(back - x),
                  0.5 * fifteenth_digit * (1 + 1e-12) + 2 * std::fabs(std::nextafter(x, 0.0) - x))
            << digits17(x) << " -> \"" << text << "\" -> " << digits17(back);
        ASSERT_EQ(text[0], x < 0 ? '-' : ' ') << text;
    }
}

}  // namespace
