#ifndef PELMORA_WIN32_WIDE_H
#define PELMORA_WIN32_WIDE_H

#include <string>
#include <string_view>

namespace pelmora {

// Windows' wide strings are the form's UTF-16.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

inline std::u16string utf16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

}  // namespace pelmora

#endif
