#include "win32/about_window.h"

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "form/contrast.h"
#include "win32/controls.h"
#include "win32/conversions.h"
#include "win32/dpi.h"
#include "win32/system_colours.h"
#include "win32/wide.h"

namespace pelmora {

namespace {

using layout::AboutPlacement;

constexpr wchar_t kWindowClass[] = L"frmSplash";
constexpr DWORD kWindowStyle = WS_POPUP | WS_DLGFRAME;

// A label that fits its text grows from its stored corner; an aligned one keeps its stored edge.
RECT fitted(HWND label, RECT at, layout::Align align) {
    const int length = GetWindowTextLengthW(label);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(label, text.data(), length + 1);
    HDC dc = GetDC(label);
    auto* previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), length, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    const int width = needed.right - needed.left;
    if (align == layout::Align::Right) {
        at.left = at.right - width;
    } else {
        at.right = at.left + width;
    }
    at.bottom = at.top + (needed.bottom - needed.top);
    return at;
}

COLORREF name_colour(Rgb own) {
    return colour(own_colour_or_text(own, rgb(GetSysColor(COLOR_BTNFACE)),
                                     rgb(GetSysColor(COLOR_BTNTEXT)), high_contrast()));
}

}  // namespace

AboutWindow::AboutWindow(HWND owner) : owner_(owner), form_(*this) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &window_procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kWindowClass;
    RegisterClassExW(&window_class);

    const UINT dpi = dpi_of(owner);
    const RECT outer =
        outer_rect(pixels(layout::kAboutClientArea, dpi), kWindowStyle, false, 0, dpi);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    window_ = CreateWindowExW(0, kWindowClass, wide(layout::kAboutWindowName).c_str(), kWindowStyle,
                              layout::centred(work.left, work.right - work.left, width),
                              layout::centred(work.top, work.bottom - work.top, height), width,
                              height, owner, nullptr, instance, this);
    fonts_ = std::make_unique<Fonts>(dpi);
    const auto placements = layout::about_window();
    const RECT frame = pixels(placements[0].at, dpi);
    for (const AboutPlacement& placed : placements) {
        RECT at = pixels(placed.at, dpi);
        if (placed.kind != layout::Kind::Frame) {
            OffsetRect(&at, frame.left, frame.top);
        }
        HWND control =
            create_control(window_, instance, placed.kind, placed.align, placed.caption, 0, true);
        MoveWindow(control, at.left, at.top, at.right - at.left, at.bottom - at.top, FALSE);
        // The frame lies beneath everything it holds.
        SetWindowPos(control, placed.kind == layout::Kind::Frame ? HWND_BOTTOM : HWND_TOP, 0, 0, 0,
                     0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->get(placed.font)),
                     FALSE);
        if (placed.kind == layout::Kind::Frame) {
            frame_ = control;
        } else if (placed.kind == layout::Kind::Button) {
            button_ = control;
        } else {
            if (placed.fits_text) {
                at = fitted(control, at, placed.align);
                MoveWindow(control, at.left, at.top, at.right - at.left, at.bottom - at.top, FALSE);
            }
            labels_.emplace_back(control, &placed);
        }
    }
}

AboutWindow::~AboutWindow() {
    if (IsWindow(window_)) {
        DestroyWindow(window_);
    }
}

void AboutWindow::open_modally() {
    EnableWindow(owner_, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetFocus(button_);
    MSG message;
    while (!closed_) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            // The program is ending: the main loop must see that too.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        const bool mine = message.hwnd == window_ || IsChild(window_, message.hwnd);
        // Every character reaches the window before the focused button.
        if (mine && (message.message == WM_CHAR || message.message == WM_SYSCHAR)) {
            form_.Form_KeyPress(static_cast<char16_t>(message.wParam));
            if (closed_ || message.message == WM_SYSCHAR) {
                continue;
            }
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // The owner is enabled before this window goes, so that it is the one activated next.
    EnableWindow(owner_, TRUE);
    DestroyWindow(window_);
}

// The modal loop ends at once and the window goes; hiding it here, while the owner is still
// disabled, would leave no window active.
void AboutWindow::unload() {
    closed_ = true;
    // Closed from a sent message (a task manager's WM_CLOSE), the loop would otherwise wait for
    // the next posted one.
    PostMessageW(window_, WM_NULL, 0, 0);
}

LRESULT CALLBACK AboutWindow::window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(l)->lpCreateParams));
    }
    auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ == nullptr) {
        return DefWindowProcW(window, message, w, l);
    }
    return self->handle(message, w, l);
}

LRESULT AboutWindow::handle(UINT message, WPARAM w, LPARAM l) {
    // The names' colour follows the system's colours and the high-contrast setting.
    if (colours_changed(message, w)) {
        repaint_all(window_);
    }
    switch (message) {
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(l) == button_ && HIWORD(w) == BN_CLICKED) {
                form_.Command1_Click();
            }
            return 0;
        // Labels and the frame let clicks through to the window, which tells them apart.
        case WM_LBUTTONUP:
            clicked(l, AboutForm::Button::Left);
            return 0;
        case WM_RBUTTONUP:
            clicked(l, AboutForm::Button::Right);
            return 0;
        case WM_MBUTTONUP:
            clicked(l, AboutForm::Button::Middle);
            return 0;
        // Alt+F4, or a task manager's "End task": closed through the form and the modal loop, as
        // by the button, rather than destroyed beneath a loop that would wait for ever.
        case WM_CLOSE:
            form_.Form_QueryUnload();
            return 0;
        // Destroyed another way (with its owner, at the end of the session), the loop ends too.
        case WM_DESTROY:
            closed_ = true;
            PostMessageW(owner_, WM_NULL, 0, 0);
            break;
        case WM_CTLCOLORSTATIC:
            for (const auto& [label, placed] : labels_) {
                if (label == reinterpret_cast<HWND>(l) && placed->colour) {
                    auto* dc = reinterpret_cast<HDC>(w);
                    SetTextColor(dc, name_colour(*placed->colour));
                    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
                }
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

// A click on the frame itself, where no label covers it; the strip around the frame is not the
// frame.
void AboutWindow::clicked(LPARAM at, AboutForm::Button button) {
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    const auto inside = [&](HWND control) {
        RECT area;
        GetWindowRect(control, &area);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
        return PtInRect(&area, point) != FALSE;
    };
    if (!inside(frame_)) {
        return;
    }
    for (const auto& [label, placed] : labels_) {
        if (inside(label)) {
            return;
        }
    }
    form_.Frame1_Click(button);
}

}  // namespace pelmora
