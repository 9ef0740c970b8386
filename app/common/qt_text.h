#ifndef PELMORA_QT_TEXT_H
#define PELMORA_QT_TEXT_H

#include <QString>
#include <string_view>

namespace pelmora {

// The program's UTF-8 texts as Qt strings, and Qt strings as the UTF-16 views the pure functions
// read.
inline QString qt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::u16string_view utf16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace pelmora

#endif
