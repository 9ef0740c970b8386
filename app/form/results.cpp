#include "form/results.h"

#include <cmath>

#include "form/number_text.h"

namespace pelmora {

namespace {

constexpr std::size_t kPaddedWidth = 256;

// The number text is ASCII.
std::u16string widened(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}

}  // namespace

std::u16string shown_without_blank(double value) {
    std::u16string text = widened(number_text(value));
    if (!text.empty() && text.front() == u' ') {
        text.erase(0, 1);
    }
    return text;
}

std::u16string shown_padded(double value) {
    std::u16string text = widened(number_text(value));
    if (text.size() < kPaddedWidth) {
        text.resize(kPaddedWidth, u' ');
    }
    return text;
}

bool all_finite(std::initializer_list<double> values) {
    for (const double value : values) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

}  // namespace pelmora
