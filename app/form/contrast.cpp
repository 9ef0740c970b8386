#include "form/contrast.h"

#include <algorithm>
#include <cmath>

namespace pelmora {

namespace {

constexpr double kReadableRatio = 4.5;

double linear(int channel) {
    const double value = channel / 255.0;
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(Rgb colour) {
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

}  // namespace

double contrast_ratio(Rgb first, Rgb second) {
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool readable_on(Rgb text, Rgb background) {
    return contrast_ratio(text, background) >= kReadableRatio;
}

Rgb own_colour_or_text(Rgb own, Rgb background, Rgb text, bool high_contrast) {
    return high_contrast || !readable_on(own, background) ? text : own;
}

}  // namespace pelmora
