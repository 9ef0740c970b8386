#ifndef PELMORA_TESTS_WIN32_WINDOW_HARNESS_H
#define PELMORA_TESTS_WIN32_WINDOW_HARNESS_H

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "form/engine.h"
#include "form/layout.h"
#include "recording_message_boxes.h"
#include "support/input.h"
#include "win32/control_ids.h"
#include "win32/engine_library.h"
#include "win32/main_window.h"
#include "win32/message_boxes.h"
#include "win32/message_loop.h"
#include "win32/wide.h"

// The about window's button, found by its stored caption.
inline HWND about_button(HWND about) {
    for (const pelmora::layout::AboutPlacement& placed : pelmora::layout::about_window()) {
        if (placed.kind == pelmora::layout::Kind::Button) {
            return FindWindowExW(about, nullptr, nullptr, pelmora::wide(placed.caption).c_str());
        }
    }
    return nullptr;
}

// The real main window, shown and in the foreground on the test's virtual display, with its
// message boxes answered by a recorder, its clock at a time the test sets and the engine loaded as
// the program loads it, from the test program's own folder. Input arrives as the user's does,
// through SendInput and the program's own message loop.
class WindowHarness {
  public:
    using Control = pelmora::Control;

    static SYSTEMTIME fixed_time() {
        SYSTEMTIME time{};
        time.wYear = 2004;
        time.wMonth = 6;
        time.wDay = 25;
        time.wDayOfWeek = 5;
        time.wHour = 22;
        time.wMinute = 9;
        return time;
    }

    WindowHarness()
        : engine(library),
          window(std::make_unique<pelmora::MainWindow>(GetModuleHandleW(nullptr), messages, engine,
                                                       [this] { return now; })) {
        ShowWindow(window->handle(), SW_SHOW);
        SetForegroundWindow(window->handle());
        pump();
    }

    ~WindowHarness() {
        window.reset();
        pump();
    }

    HWND main() const { return window->handle(); }
    HWND control(Control control) const { return window->control(control); }

    std::u16string text(Control box) const { return window->text(box); }

    // The control that has the keyboard focus, by its design name.
    std::string focused() const {
        HWND focus = GetFocus();
        if (focus == nullptr || !IsChild(main(), focus)) {
            return "(none)";
        }
        return std::string(pelmora::name_of(pelmora::control_of_id(GetDlgCtrlID(focus))));
    }

    // Handles what has arrived, as the program's loop does, until nothing more comes for a while:
    // input passes through the wine server before it reaches the queue.
    void pump(DWORD quiet_milliseconds = 60) {
        DWORD quiet_since = GetTickCount();
        while (GetTickCount() - quiet_since < quiet_milliseconds) {
            MSG message;
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    quit = true;
                } else {
                    pelmora::handle_message(*window, message);
                }
                quiet_since = GetTickCount();
            } else {
                Sleep(5);
            }
        }
    }

    static void send(std::vector<INPUT> inputs) { ::send(std::move(inputs)); }

    static INPUT key_input(WORD key, bool up, wchar_t character = 0) {
        return ::key_input(key, up, character);
    }

    // A key pressed and released, with modifiers held around it.
    void key(WORD key, std::vector<WORD> modifiers = {}) {
        send(key_press(key, modifiers));
        pump();
    }

    // Characters as a keyboard or an input method hands them over.
    void type(std::u16string_view text) {
        for (const char16_t ch : text) {
            send({key_input(0, false, static_cast<wchar_t>(ch)),
                  key_input(0, true, static_cast<wchar_t>(ch))});
            pump(20);
        }
        pump();
    }

    // A mouse click at a point of a window (its centre by default).
    static void click_at(HWND target, POINT at, DWORD down = MOUSEEVENTF_LEFTDOWN,
                         DWORD up = MOUSEEVENTF_LEFTUP) {
        ClientToScreen(target, &at);
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN));
        move.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN));
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        INPUT press = move;
        press.mi.dwFlags = down | MOUSEEVENTF_ABSOLUTE;
        INPUT release = move;
        release.mi.dwFlags = up | MOUSEEVENTF_ABSOLUTE;
        send({move, press, release});
    }

    static POINT centre_of(HWND target) {
        RECT area;
        GetClientRect(target, &area);
        return {area.right / 2, area.bottom / 2};
    }

    void click(HWND target) {
        click_at(target, centre_of(target));
        pump();
    }

    void focus(Control control) {
        SetFocus(this->control(control));
        pump();
    }

    // Selects a page by a click on its tab.
    void select_tab(int index) {
        HWND tabs = control(Control::TabStrip1);
        RECT tab;
        SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&tab));
        click_at(tabs, {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
        pump();
    }

    RecordingMessageBoxes messages;
    // What the window's clock reads.
    SYSTEMTIME now = fixed_time();
    // Whether the program has asked to end.
    bool quit = false;
    pelmora::DllLibrary library;
    pelmora::BoundEngine engine;
    std::unique_ptr<pelmora::MainWindow> window;
};

inline std::string name(pelmora::Control control) {
    return std::string(pelmora::name_of(control));
}

#endif
