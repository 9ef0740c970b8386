#ifndef PELMORA_TESTS_ASCII_NAME_H
#define PELMORA_TESTS_ASCII_NAME_H

#include <string>
#include <string_view>

// A test name for a text, unique and in the letters and digits that test names allow: letters and
// digits stay, every other character becomes _ and its code in hexadecimal (".5" is "_2E5", "１"
// is "_FF11"); the empty text is "empty".
inline std::string ascii_name(std::u16string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    if (text.empty()) {
        return "empty";
    }
    std::string name;
    for (const char16_t c : text) {
        if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
            name += static_cast<char>(c);
            continue;
        }
        name += '_';
        for (int shift = c > 0xff ? 12 : 4; shift >= 0; shift -= 4) {
            name += kHex[(c >> shift) & 0xf];
        }
    }
    return name;
}

inline std::string ascii_name(std::string_view text) {
    return ascii_name(std::u16string(text.begin(), text.end()));
}

#endif
