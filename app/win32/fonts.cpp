#include "win32/fonts.h"

#include <cmath>
#include <cwchar>
#include <string>

#include "win32/dpi.h"
#include "win32/wide.h"

namespace pelmora {

namespace {

int CALLBACK note_found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Whether a font face of that name is installed (or stands in for one by the system's font
// replacements).
bool face_installed(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, note_found, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

Fonts::~Fonts() {
    for (const auto& [key, font] : fonts_) {
        DeleteObject(font);
    }
}

HFONT Fonts::get(layout::Font stored) {
    const std::pair key{static_cast<int>(std::lround(stored.points * 100)), stored.bold};
    if (const auto found = fonts_.find(key); found != fonts_.end()) {
        return found->second;
    }
    LOGFONTW font = message_font(dpi_);
    if (stored.points != 0) {
        static const std::wstring face = wide(layout::kJapaneseFace);
        static const bool installed = face_installed(face.c_str());
        if (installed) {
            wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        }
        font.lfCharSet = SHIFTJIS_CHARSET;
        font.lfHeight = -static_cast<LONG>(std::lround(stored.points * dpi_ / 72.0));
        font.lfWidth = 0;
        font.lfWeight = stored.bold ? FW_BOLD : FW_NORMAL;
        font.lfItalic = FALSE;
    }
    HFONT made = CreateFontIndirectW(&font);
    fonts_.emplace(key, made);
    return made;
}

}  // namespace pelmora
