#include <windows.h>

#include <commctrl.h>

#include <utility>

#include "form/layout.h"
#include "win32/control_ids.h"
#include "win32/conversions.h"
#include "win32/dpi.h"
#include "win32/input_events.h"
#include "win32/input_method.h"
#include "win32/main_window.h"
#include "win32/system_colours.h"
#include "win32/wide.h"
#include "win32/window_icon.h"

// How the main window's messages reach the form: the user's edits, clicks, tab selections, focus
// arrivals and typed characters; and the window's own business of marks, size, DPI, activation
// and the clock.
namespace pelmora {

namespace {

// Only a top-level window hears of new system colours; the common controls keep the ones they
// were made with until it passes the news on.
void recolour(const MainWindow& window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_SYSCOLORCHANGE) {
        for (const layout::Placement& placed : layout::main_window()) {
            if (placed.kind == layout::Kind::TabStrip || placed.kind == layout::Kind::StatusBar) {
                SendMessageW(window.control(placed.control), message, w, l);
            }
        }
    }
    repaint_all(window.handle());
}

}  // namespace

LRESULT CALLBACK MainWindow::window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->torn_down_) {
        return DefWindowProcW(window, message, w, l);
    }
    if (self->window_ == nullptr) {
        self->window_ = window;
    }
    return self->handle(message, w, l);
}

LRESULT MainWindow::handle(UINT message, WPARAM w, LPARAM l) {
    if (colours_changed(message, w)) {
        recolour(*this, message, w, l);
        // Copied from the tab strip once it has the new colours or style.
        tab_pages_.refresh();
    }
    if (const auto answer = tab_pages_.handle(message, w, l)) {
        return *answer;
    }
    switch (message) {
        case WM_COMMAND:
            handle_command(w, l);
            return 0;
        case WM_NOTIFY:
            return handle_notify(*reinterpret_cast<const NMHDR*>(l));
        case WM_CTLCOLOREDIT: {
            const Mark mark = marks_[index(control_of_id(GetDlgCtrlID(reinterpret_cast<HWND>(l))))];
            if (mark == Mark::None) {
                break;
            }
            auto* dc = reinterpret_cast<HDC>(w);
            const Rgb background = mark == Mark::Accepted ? kAcceptedBackground : kErrorBackground;
            SetBkColor(dc, colour(background));
            SetTextColor(dc, colour(kMarkedText));
            return reinterpret_cast<LRESULT>(mark == Mark::Accepted ? accepted_brush_
                                                                    : error_brush_);
        }
        case WM_SIZE:
            lay_out_status_bar();
            return 0;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(l);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            lay_out(HIWORD(w));
            return 0;
        }
        case WM_TIMER:
            refresh_clock();
            return 0;
        case WM_TIMECHANGE:
            refresh_clock();
            return 0;
        case WM_POWERBROADCAST:
            // The time may have moved on by hours while the computer slept, which a timer aimed
            // before it need not notice at once.
            if (w == PBT_APMRESUMEAUTOMATIC || w == PBT_APMRESUMESUSPEND) {
                refresh_clock();
            }
            break;
        case kAfterEventMessage:
            form_.EventOver();
            return 0;
        case WM_SETTINGCHANGE:
            // The user's date and time formats may have changed ("intl"), and with them the
            // panels' widths.
            refresh_clock();
            break;
        case WM_ACTIVATE:
            // A plain window hands the focus to itself on activation; this one gives it back to
            // the control that had it, as a dialog does.
            if (LOWORD(w) == WA_INACTIVE) {
                if (HWND focus = GetFocus(); focus != nullptr && IsChild(window_, focus)) {
                    focus_on_activation_ = focus;
                }
            } else if (focus_on_activation_ != nullptr && IsWindow(focus_on_activation_)) {
                SetFocus(focus_on_activation_);
            }
            return 0;
        case WM_DESTROY:
            KillTimer(window_, kClockTimer);
            drop_window_icons(window_);
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void MainWindow::handle_command(WPARAM w, LPARAM l) {
    const int id = LOWORD(w);
    if (l == 0) {
        if (HIWORD(w) == 0 && id == kAboutCommand) {
            form_.about_Click();
        }
        return;
    }
    const Control control = control_of_id(id);
    if (control == Control::Pelmora_Main) {
        return;
    }
    switch (HIWORD(w)) {
        case EN_CHANGE:
            // An edit reports the program's own writes as well: only the user's edits are
            // changes. One made while an input method composes waits for the composition to end,
            // when the box holds what the user handed over.
            if (writing_) {
                break;
            }
            if (composing(reinterpret_cast<HWND>(l))) {
                changed_while_composing_[index(control)] = true;
            } else {
                form_.Change(control);
            }
            break;
        case BN_CLICKED:
            form_.Click(control);
            break;
        default:
            break;
    }
}

LRESULT MainWindow::handle_notify(const NMHDR& header) {
    HWND tabs = control(Control::TabStrip1);
    if (header.hwndFrom == tabs && header.code == TCN_SELCHANGE) {
        wchar_t caption[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = static_cast<int>(std::size(caption));
        SendMessageW(tabs, TCM_GETITEMW, SendMessageW(tabs, TCM_GETCURSEL, 0, 0),
                     reinterpret_cast<LPARAM>(&item));
        form_.TabStrip1_Click(utf16(caption));
        return 0;
    }
    // The tooltip the tab strip makes of its own asks for each tab's text.
    if (header.code == TTN_GETDISPINFOW &&
        header.hwndFrom == reinterpret_cast<HWND>(SendMessageW(tabs, TCM_GETTOOLTIPS, 0, 0))) {
        auto& info = *reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header));
        const auto tips = layout::tabs();
        if ((info.uFlags & TTF_IDISHWND) == 0 && header.idFrom < tips.size()) {
            tooltip_text_ = wide(tips[header.idFrom].tooltip);
            info.lpszText = tooltip_text_.data();
        }
    }
    return 0;
}

LRESULT CALLBACK MainWindow::control_procedure(HWND control, UINT message, WPARAM w, LPARAM l) {
    // Only the window's own controls are subclassed, and their window stays until they are gone.
    auto& self =
        *reinterpret_cast<MainWindow*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA));
    const Control which = control_of_id(GetDlgCtrlID(control));
    if (self.torn_down_ || message == WM_NCDESTROY) {
        return self.pass_on(which, control, message, w, l);
    }
    return self.handle_control(which, control, message, w, l);
}

LRESULT MainWindow::pass_on(Control control, HWND handle, UINT message, WPARAM w, LPARAM l) const {
    // The form's reaction may have ended the program, and the control with it (a task manager's
    // WM_CLOSE while a message box was up): a control gone hears nothing more.
    if (IsWindow(handle) == FALSE) {
        return 0;
    }
    return CallWindowProcW(procedures_[index(control)], handle, message, w, l);
}

LRESULT MainWindow::handle_control(Control control, HWND handle, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CHAR:
            // A single-line box would beep at a character it cannot take.
            if (form_.Character(control, static_cast<char16_t>(w))) {
                return 0;
            }
            break;
        case WM_KILLFOCUS:
            form_.FocusLeft(control, focus_target(window_, reinterpret_cast<HWND>(w)));
            break;
        case WM_IME_ENDCOMPOSITION: {
            const LRESULT result = pass_on(control, handle, message, w, l);
            report_changes_made_while_composing();
            return result;
        }
        case WM_SETFOCUS: {
            const LRESULT result = pass_on(control, handle, message, w, l);
            form_.GotFocus(control);
            return result;
        }
        default:
            break;
    }
    return pass_on(control, handle, message, w, l);
}

void MainWindow::report_changes_made_while_composing() {
    for (std::size_t box = 0; box < changed_while_composing_.size(); ++box) {
        if (std::exchange(changed_while_composing_[box], false)) {
            form_.Change(static_cast<Control>(box));
        }
    }
}

}  // namespace pelmora
