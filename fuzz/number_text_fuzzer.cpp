// Any double (the input's first eight bytes): its number text is built without crash, has the
// shape the pages rely on, and reads back to the value within 15 significant digits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "form/box_value.h"
#include "form/number_text.h"

namespace {

bool shaped_like_a_number_text(const std::string& text) {
    if (text.empty() || text.size() > 24 || (text[0] != ' ' && text[0] != '-')) {
        return false;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'E' || c == '+' || c == '-' || c == 'i' ||
              c == 'n' || c == 'f' || c == 'a')) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double)) {
        return -1;
    }
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    const std::string text = pelmora::number_text(x);
    if (!shaped_like_a_number_text(text)) {
        std::abort();
    }
    if (!std::isfinite(x)) {
        return 0;
    }
    if ((text[0] == '-') != (x < 0) || text.find("inf") != std::string::npos ||
        text.find("nan") != std::string::npos) {
        std::abort();
    }
    const double back = pelmora::box_value(std::u16string(text.begin(), text.end()));
    if (x == 0) {
        return back == 0 ? 0 : (std::abort(), 0);
    }
    // Half a unit in the 15th significant digit, and the rounding of the text back to binary.
    const double fifteenth_digit = std::pow(10.0, std::floor(std::log10(std::fabs(x))) - 14);
    const double allowed =
        0.5 * fifteenth_digit * (1 + 1e-12) + 2 * std::fabs(std::nextafter(x, 0.0) - x);
    if (!(std::fabs(back - x) <= allowed) && !(std::isinf(back) && std::fabs(x) > 1.79e308)) {
        std::abort();
    }
    return 0;
}
