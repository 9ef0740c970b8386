#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "ascii_name.h"
#include "double_text.h"
#include "form/box_value.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Reading {
    const char16_t* text;
    double value;
};

void PrintTo(const Reading& r, std::ostream* out) {
    *out << ascii_name(std::u16string_view(r.text));
}

class BoxValue : public testing::TestWithParam<Reading> {};

std::string name_of_reading(const testing::TestParamInfo<Reading>& info) {
    return ascii_name(std::u16string_view(info.param.text));
}

TEST_P(BoxValue, ReadsTheNumberTheTextBeginsWith) {
    const Reading r = GetParam();
    const double value = pelmora::box_value(r.text);
    EXPECT_TRUE(same_double(value, r.value))
        << digits17(value) << " instead of " << digits17(r.value);
}

INSTANTIATE_TEST_SUITE_P(
    Plain, BoxValue,
    testing::Values(Reading{u"", 0}, Reading{u"abc", 0}, Reading{u"12abc", 12}, Reading{u"-5", -5},
                    Reading{u"+7", 7}, Reading{u"240", 240}, Reading{u"0.01", 0.01},
                    Reading{u".5", 0.5}, Reading{u"5.", 5}, Reading{u".", 0}, Reading{u"-", 0},
                    Reading{u"-.", 0}, Reading{u"1.2.3", 1.2}, Reading{u"0.15", 0.15},
                    Reading{u"015", 15}, Reading{u"3.50", 3.5}, Reading{u"0.999", 0.999},
                    Reading{u"123456789012345678901234567890", 1.2345678901234568e29}),
    name_of_reading);

// Blanks, tabs and line feeds are skipped wherever they stand; a carriage return is not a blank.
INSTANTIATE_TEST_SUITE_P(Blanks, BoxValue,
                         testing::Values(Reading{u"1 000", 1000}, Reading{u" \t\n12", 12},
                                         Reading{u"- 7", -7}, Reading{u"1 2 . 5 e 1", 125},
                                         Reading{u"   ", 0}, Reading{u"1\r2", 1},
                                         Reading{u"\u30001\u30002", 12}),
                         name_of_reading);

INSTANTIATE_TEST_SUITE_P(
    Exponents, BoxValue,
    testing::Values(Reading{u"1e3", 1000}, Reading{u"1E3", 1000}, Reading{u"1d3", 1000},
                    Reading{u"1D-2", 0.01}, Reading{u"2.5e+1x", 25}, Reading{u"1e", 1},
                    Reading{u"1e+", 1}, Reading{u"1ex", 1}, Reading{u"e5", 0},
                    Reading{u"1e400", kInf}, Reading{u"-1e400", -kInf}, Reading{u"1e-400", 0},
                    Reading{u"-1e-400", -0.0}, Reading{u"4.9e-324", 4.9406564584124654e-324},
                    Reading{u"1e99999999999999999999999", kInf}, Reading{u"0e999999", 0},
                    Reading{u"1.7976931348623157e308", 1.7976931348623157e308},
                    Reading{u"1.8e308", kInf}),
    name_of_reading);

INSTANTIATE_TEST_SUITE_P(HexadecimalAndOctal, BoxValue,
                         testing::Values(Reading{u"&H10", 16}, Reading{u"&h1f", 31},
                                         Reading{u"&HfF", 255}, Reading{u"&H1G", 1},
                                         Reading{u"&H", 0}, Reading{u"&", 0}, Reading{u"&X1", 0},
                                         Reading{u"&O17", 15}, Reading{u"&o7", 7},
                                         Reading{u"&O9", 0}, Reading{u"&O18", 1},
                                         Reading{u"-&H10", 0}, Reading{u" & H 1 0", 16},
                                         Reading{u"&HFFFFFFFFFFFFFFFFFFFF", 1.2089258196146292e24}),
                         name_of_reading);

// Typed with a Japanese input method in full width.
INSTANTIATE_TEST_SUITE_P(
    FullWidth, BoxValue,
    testing::Values(Reading{u"\uFF11\uFF12\uFF0E\uFF15", 12.5}, Reading{u"\uFF0D\uFF13", -3},
                    Reading{u"\uFF0B\uFF13", 3}, Reading{u"\uFF11\uFF25\uFF12", 100},
                    Reading{u"\uFF11\uFF45\uFF12", 100}, Reading{u"\uFF11\uFF24\uFF12", 100},
                    Reading{u"\uFF11\uFF44\uFF0D\uFF12", 0.01},
                    Reading{u"\uFF06\uFF28\uFF11\uFF26", 31}, Reading{u"\uFF41\uFF42", 0},
                    Reading{u"\u3002\uFF10\uFF11", 0.01}, Reading{u"\uFF61\uFF15\uFF61\uFF15", 0.5},
                    Reading{u"\uFF11\u3002\uFF15\uFF45\uFF0D\uFF11", 0.15}),
    name_of_reading);

TEST(BoxValueOfLongTexts, ReadsAHundredThousandCharactersToADefinedValue) {
    EXPECT_EQ(pelmora::box_value(std::u16string(100'000, u'1')), kInf);
    EXPECT_EQ(pelmora::box_value(std::u16string(100'000, u'0') + u"1"), 1);
    EXPECT_EQ(pelmora::box_value(u"0." + std::u16string(100'000, u'0') + u"1e100005"), 1e4);
    EXPECT_EQ(pelmora::box_value(std::u16string(100'000, u' ') + u"-2"), -2);
    EXPECT_EQ(pelmora::box_value(u"&H" + std::u16string(100'000, u'F')), kInf);
    EXPECT_EQ(pelmora::box_value(std::u16string(100'000, u'x')), 0);
}

}  // namespace
