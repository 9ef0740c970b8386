#ifndef PELMORA_WIN32_CONVERSIONS_H
#define PELMORA_WIN32_CONVERSIONS_H

#include <windows.h>

#include <string>

#include "form/controls.h"
#include "form/layout.h"

// The form's colours and alignments as Windows takes them.
namespace pelmora {

inline COLORREF colour(Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

inline Rgb rgb(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The style of a label's text alignment.
inline DWORD label_alignment(layout::Align align) {
    switch (align) {
        case layout::Align::Centre:
            return SS_CENTER;
        case layout::Align::Right:
            return SS_RIGHT;
        case layout::Align::Left:
            break;
    }
    return SS_LEFT;
}

// A status-bar panel's text as the bar aligns it: after one tab centred, after two right-aligned.
inline std::wstring aligned_panel_text(layout::Align align, const std::wstring& text) {
    switch (align) {
        case layout::Align::Centre:
            return L"\t" + text;
        case layout::Align::Right:
            return L"\t\t" + text;
        case layout::Align::Left:
            break;
    }
    return text;
}

}  // namespace pelmora

#endif
