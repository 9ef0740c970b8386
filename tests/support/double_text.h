#ifndef PELMORA_TESTS_DOUBLE_TEXT_H
#define PELMORA_TESTS_DOUBLE_TEXT_H

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

// A double with 17 significant digits, enough to tell any two doubles apart in a failure message.
inline std::string digits17(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

// Bit-for-bit equality, so that NaN equals NaN and -0 differs from +0.
inline bool same_double(double a, double b) {
    if (std::isnan(a) && std::isnan(b)) {
        return true;
    }
    return std::memcmp(&a, &b, sizeof a) == 0;
}

#endif
