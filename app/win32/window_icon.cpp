#include "win32/window_icon.h"

#include "win32/dpi.h"

namespace pelmora {

namespace {

void set_icon(HWND window, WPARAM kind, HICON icon) {
    if (auto old = reinterpret_cast<HICON>(
            SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon)));
        old != nullptr) {
        DestroyIcon(old);
    }
}

HICON icon_at(HWND window, int width_metric, int height_metric, UINT dpi) {
    auto* module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    // Picked from the images in the program, the one made for this size.
    return static_cast<HICON>(LoadImageW(module, L"IDI_ICON1", IMAGE_ICON,
                                         system_metric(width_metric, dpi),
                                         system_metric(height_metric, dpi), 0));
}

}  // namespace

void show_window_icons(HWND window, UINT dpi) {
    set_icon(window, ICON_BIG, icon_at(window, SM_CXICON, SM_CYICON, dpi));
    set_icon(window, ICON_SMALL, icon_at(window, SM_CXSMICON, SM_CYSMICON, dpi));
}

void drop_window_icons(HWND window) {
    set_icon(window, ICON_BIG, nullptr);
    set_icon(window, ICON_SMALL, nullptr);
}

}  // namespace pelmora
