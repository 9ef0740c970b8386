#ifndef PELMORA_WIN32_DPI_H
#define PELMORA_WIN32_DPI_H

#include <windows.h>

#include "form/layout.h"

namespace pelmora {

// The stored layout is in twips; a window shows it in pixels at its own DPI: 15 twips to a pixel
// at 96 dots per inch, 10 at 144.
UINT dpi_of(HWND window);

inline int pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

inline RECT pixels(layout::Twips at, UINT dpi) {
    const int left = pixels(at.left, dpi);
    const int top = pixels(at.top, dpi);
    return {left, top, left + pixels(at.width, dpi), top + pixels(at.height, dpi)};
}

// The outer size of a window whose client area is `client`, at the DPI.
RECT outer_rect(RECT client, DWORD style, bool menu, DWORD extended_style, UINT dpi);

// A system metric, such as an icon's size, at the DPI.
int system_metric(int index, UINT dpi);

// The system's message font, the window's default font, at the DPI.
LOGFONTW message_font(UINT dpi);

}  // namespace pelmora

#endif
