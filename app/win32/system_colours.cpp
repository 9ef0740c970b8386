#include "win32/system_colours.h"

namespace pelmora {

bool colours_changed(UINT message, WPARAM w) {
    return message == WM_SYSCOLORCHANGE || message == WM_THEMECHANGED ||
           (message == WM_SETTINGCHANGE && w == SPI_SETHIGHCONTRAST);
}

void repaint_all(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

}  // namespace pelmora
