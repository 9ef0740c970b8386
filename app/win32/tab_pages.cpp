#include "win32/tab_pages.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/system_colours.h"
#include "win32/theme_library.h"

namespace pelmora {

TabPages::~TabPages() {
    forget_body();
}

void TabPages::attach(HWND window, HWND tabs) {
    window_ = window;
    tabs_ = tabs;
}

void TabPages::add(HWND control) {
    controls_.push_back(control);
}

void TabPages::forget_body() {
    if (body_ != nullptr) {
        DeleteObject(body_);
        body_ = nullptr;
    }
    if (body_bitmap_ != nullptr) {
        DeleteObject(body_bitmap_);
        body_bitmap_ = nullptr;
    }
}

void TabPages::refresh() {
    forget_body();
    // A name that matches no style (blank; an empty one is no name at all to wine) draws the tab
    // strip plainly; none at all gives it back its style.
    const bool plain = high_contrast() || !theme::app_themed();
    theme::set_window_theme(tabs_, plain ? L" " : nullptr, plain ? L" " : nullptr);
    if (plain || theme::window_theme(tabs_) == nullptr) {
        return;
    }
    RECT body;
    GetClientRect(tabs_, &body);
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    if (IsRectEmpty(&body)) {
        return;
    }
    HDC screen = GetDC(tabs_);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, body.right - body.left, body.bottom - body.top);
    ReleaseDC(tabs_, screen);
    if (copy == nullptr || bitmap == nullptr) {
        DeleteDC(copy);
        DeleteObject(bitmap);
        return;
    }
    const HGDIOBJ held = SelectObject(copy, bitmap);
    const RECT whole{0, 0, body.right - body.left, body.bottom - body.top};
    FillRect(copy, &whole, GetSysColorBrush(COLOR_BTNFACE));
    SetViewportOrgEx(copy, -body.left, -body.top, nullptr);
    SendMessageW(tabs_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(copy), PRF_CLIENT);
    SelectObject(copy, held);
    DeleteDC(copy);
    body_bitmap_ = bitmap;
    body_ = CreatePatternBrush(bitmap);
    MapWindowPoints(tabs_, window_, reinterpret_cast<POINT*>(&body), 2);
    body_area_ = body;
}

void TabPages::line_up(HDC dc, HWND drawn) const {
    POINT origin{body_area_.left, body_area_.top};
    MapWindowPoints(window_, drawn, &origin, 1);
    LPtoDP(dc, &origin, 1);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
}

std::optional<LRESULT> TabPages::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_ERASEBKGND: {
            // Beneath the page too, where a frame leaves its inside and a styled button its
            // corners to what is behind.
            if (body_ == nullptr) {
                return std::nullopt;
            }
            auto* dc = reinterpret_cast<HDC>(w);
            // The face only round the body: erased grey first, a page would flash on each erase.
            const int saved = SaveDC(dc);
            ExcludeClipRect(dc, body_area_.left, body_area_.top, body_area_.right,
                            body_area_.bottom);
            DefWindowProcW(window_, message, w, l);
            RestoreDC(dc, saved);
            POINT before;
            GetBrushOrgEx(dc, &before);
            line_up(dc, window_);
            FillRect(dc, &body_area_, body_);
            SetBrushOrgEx(dc, before.x, before.y, nullptr);
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            auto* control = reinterpret_cast<HWND>(l);
            if (body_ == nullptr ||
                std::find(controls_.begin(), controls_.end(), control) == controls_.end()) {
                return std::nullopt;
            }
            // The system's text colours, on the body instead of the face.
            DefWindowProcW(window_, message, w, l);
            auto* dc = reinterpret_cast<HDC>(w);
            SetBkMode(dc, TRANSPARENT);
            line_up(dc, control);
            return reinterpret_cast<LRESULT>(body_);
        }
        default:
            return std::nullopt;
    }
}

}  // namespace pelmora
