#include "form/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace pelmora {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kFirstExponentOfLargeForm = 15;
constexpr int kLastExponentOfPlainForm = -4;

void append_exponent_form(std::string& text, const std::string& digits, int exponent) {
    text += digits[0];
    if (digits.size() > 1) {
        text += '.';
        text.append(digits, 1);
    }
    text += exponent < 0 ? "E-" : "E+";
    const std::string magnitude = std::to_string(std::abs(exponent));
    if (magnitude.size() < 2) {
        text += '0';
    }
    text += magnitude;
}

void append_plain_form(std::string& text, const std::string& digits, int exponent) {
    if (exponent < 0) {
        text += '.';
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
        return;
    }
    const auto whole_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole_digits) {
        text += digits;
        text.append(whole_digits - digits.size(), '0');
        return;
    }
    text.append(digits, 0, whole_digits);
    text += '.';
    text.append(digits, whole_digits);
}

}  // namespace

std::string number_text(double x) {
    if (std::isnan(x)) {
        return " nan";
    }
    if (std::isinf(x)) {
        return x > 0 ? " inf" : "-inf";
    }
    if (x == 0) {
        return " 0";
    }
    // d.dddddddddddddde+XX: the 15 significant digits, correctly rounded, and the power of ten of
    // the first; to_chars does not depend on the locale.
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                   std::chars_format::scientific, kSignificantDigits - 1)
                         .ptr;
    const std::string scientific(buffer, end);
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string text(1, x < 0 ? '-' : ' ');
    if (exponent >= kFirstExponentOfLargeForm || exponent < kLastExponentOfPlainForm) {
        append_exponent_form(text, digits, exponent);
    } else {
        append_plain_form(text, digits, exponent);
    }
    return text;
}

}  // namespace pelmora
