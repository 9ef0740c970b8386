// Any text typed or pasted into a box: its value is read without crash, hang or NaN; blanks in
// front change nothing; and the same text typed in full width (as a Japanese input method gives
// it) has the same value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "form/box_value.h"

namespace {

// The input as UTF-8, malformed sequences read as U+FFFD.
std::u16string decode(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t lead = data[i];
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        bool valid = lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4);
        for (int k = 1; k < length && valid; ++k) {
            valid = i + k < size && (data[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (valid ? data[i + k] & 0x3F : 0);
        }
        if (!valid || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            text += u'\uFFFD';
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            text += static_cast<char16_t>(0xD800 + (code >> 10));
            text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
        i += length;
    }
    return text;
}

std::u16string full_width(const std::u16string& text) {
    std::u16string wide = text;
    for (char16_t& c : wide) {
        if (c >= 0x21 && c <= 0x7E) {
            c = static_cast<char16_t>(c + 0xFEE0);
        } else if (c == u' ') {
            c = u'\u3000';
        }
    }
    return wide;
}

bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = decode(data, size);
    const double value = pelmora::box_value(text);
    if (std::isnan(value)) {
        std::abort();
    }
    if (!same(pelmora::box_value(u"  \t" + text), value)) {
        std::abort();
    }
    if (!same(pelmora::box_value(full_width(text)), value)) {
        std::abort();
    }
    return 0;
}
