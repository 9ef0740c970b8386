#ifndef PELMORA_QT_TEXT_H
#define PELMORA_QT_TEXT_H

#include <QString>
#include <string>
#include <string_view>

namespace pelmora {

// The form's UTF-16 texts as Qt strings, and back.
inline QString qt_string(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline std::u16string utf16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace pelmora

#endif
