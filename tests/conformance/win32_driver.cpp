#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <imm.h>
#include <oleacc.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "driver.h"
#include "support/window_harness.h"
#include "win32/control_ids.h"
#include "win32/wide.h"

namespace pelmora::conformance {

namespace {

HWND about_window() {
    HWND about = FindWindowW(L"frmSplash", nullptr);
    return about != nullptr && IsWindowVisible(about) ? about : nullptr;
}

void click_in_about(HWND target, POINT at, DWORD down = MOUSEEVENTF_LEFTDOWN,
                    DWORD up = MOUSEEVENTF_LEFTUP) {
    MapWindowPoints(target, about_window(), &at, 1);
    WindowHarness::click_at(about_window(), at, down, up);
}

// A point of the about window's frame where no label or button covers it.
POINT frame_space() {
    HWND frame = FindWindowExW(about_window(), nullptr, L"Button", L"");
    RECT area;
    GetClientRect(frame, &area);
    POINT at{12, area.bottom / 2 + 10};
    MapWindowPoints(frame, about_window(), &at, 1);
    return at;
}

// The action to the about window, done from a timer inside its modal loop; a window still open a
// while later is closed with a character, and the action did not close it.
struct AboutVisit {
    AboutAction action;
    bool acted = false;
    bool closed_by_action = false;
    int ticks = 0;
};

AboutVisit* visit = nullptr;

void act_on_about(AboutAction action) {
    const auto press = [](WORD key, std::vector<WORD> modifiers = {}) {
        send(key_press(key, modifiers));
    };
    HWND about = about_window();
    switch (action) {
        case AboutAction::Character:
            return send({key_input(0, false, L'q'), key_input(0, true, L'q')});
        case AboutAction::Esc:
            return press(VK_ESCAPE);
        case AboutAction::Enter:
            return press(VK_RETURN);
        case AboutAction::Tab:
            return press(VK_TAB);
        case AboutAction::Delete:
            return press(VK_DELETE);
        case AboutAction::Arrow:
            return press(VK_LEFT);
        case AboutAction::AltF4:
            return press(VK_F4, {VK_MENU});
        case AboutAction::EndTask:
            PostMessageW(about, WM_CLOSE, 0, 0);
            return;
        case AboutAction::Button: {
            HWND button = about_button(about);
            return click_in_about(button, WindowHarness::centre_of(button));
        }
        case AboutAction::FrameClick:
            return WindowHarness::click_at(about, frame_space());
        case AboutAction::RightClickOnFrame:
            return WindowHarness::click_at(about, frame_space(), MOUSEEVENTF_RIGHTDOWN,
                                           MOUSEEVENTF_RIGHTUP);
        case AboutAction::MiddleClickOnFrame:
            return WindowHarness::click_at(about, frame_space(), MOUSEEVENTF_MIDDLEDOWN,
                                           MOUSEEVENTF_MIDDLEUP);
        case AboutAction::ClickOnTheStripAroundTheFrame:
            return WindowHarness::click_at(about, {3, 100});
        case AboutAction::ClickOnName: {
            HWND name = FindWindowExW(about, nullptr, nullptr, L"Pelmora");
            return click_in_about(name, WindowHarness::centre_of(name));
        }
    }
}

void CALLBACK about_tick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND about = about_window();
    if (!visit->acted) {
        if (about != nullptr && GetForegroundWindow() == about) {
            act_on_about(visit->action);
            visit->acted = true;
        }
        return;
    }
    ++visit->ticks;
    if (about == nullptr) {
        visit->closed_by_action = visit->ticks <= 4;
        KillTimer(nullptr, timer);
    } else if (visit->ticks == 5) {
        PostMessageW(GetFocus(), WM_CHAR, L'x', 0);
    }
}

Rect rect_of(const RECT& area) {
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

Rgb rgb_of(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The about window as it shows, read from a timer inside its modal loop, which a character then
// ends.
Driver::AboutLook* look = nullptr;
HWND look_owner = nullptr;

void CALLBACK look_at_about(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND about = about_window();
    if (about == nullptr || GetForegroundWindow() != about) {
        return;
    }
    KillTimer(nullptr, timer);
    RECT placed;
    GetWindowRect(about, &placed);
    look->window = rect_of(placed);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(look_owner, MONITOR_DEFAULTTONEAREST), &monitor);
    look->work_area = rect_of(monitor.rcWork);
    look->title_bar = (GetWindowLongW(about, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    look->owned = GetWindow(about, GW_OWNER) == look_owner &&
                  (GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_APPWINDOW) == 0;
    look->main_blocked = IsWindowEnabled(look_owner) == FALSE;
    look->focus_on_button = GetFocus() == about_button(about);
    // From the first made, at the bottom of the order, upwards.
    for (HWND child = GetWindow(GetWindow(about, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = GetWindow(child, GW_HWNDPREV)) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        if (lstrcmpiW(kind, L"Static") == 0) {
            wchar_t text[256] = {};
            GetWindowTextW(child, text, 256);
            look->texts.push_back(utf16(text));
        }
    }
    for (const layout::AboutPlacement& placed_label : layout::about_window()) {
        if (placed_label.colour) {
            HWND label = FindWindowExW(about, nullptr, nullptr, wide(placed_label.caption).c_str());
            HDC dc = CreateCompatibleDC(nullptr);
            SendMessageW(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(label));
            look->names.push_back(rgb_of(GetTextColor(dc)));
            look->face = rgb_of(GetBkColor(dc));
            DeleteDC(dc);
        }
    }
    PostMessageW(GetFocus(), WM_CHAR, L'x', 0);
}

struct Stroke {
    WORD key;
    std::vector<WORD> modifiers;
};

// clang-format off
const std::map<Key, Stroke> kKeys = {
    {Key::Enter, {VK_RETURN, {}}}, {Key::KeypadEnter, {VK_RETURN, {}}},
    {Key::HeldEnter, {VK_RETURN, {}}}, {Key::ShiftEnter, {VK_RETURN, {VK_SHIFT}}},
    {Key::CtrlEnter, {VK_RETURN, {VK_CONTROL}}}, {Key::AltEnter, {VK_RETURN, {VK_MENU}}},
    {Key::ShiftKeypadEnter, {VK_RETURN, {VK_SHIFT}}},
    {Key::CtrlKeypadEnter, {VK_RETURN, {VK_CONTROL}}},
    {Key::Space, {VK_SPACE, {}}}, {Key::Tab, {VK_TAB, {}}}, {Key::ShiftTab, {VK_TAB, {VK_SHIFT}}},
    {Key::Esc, {VK_ESCAPE, {}}}, {Key::CtrlTab, {VK_TAB, {VK_CONTROL}}},
    {Key::CtrlShiftTab, {VK_TAB, {VK_CONTROL, VK_SHIFT}}},
    {Key::CtrlPageDown, {VK_NEXT, {VK_CONTROL}}}, {Key::CtrlPageUp, {VK_PRIOR, {VK_CONTROL}}},
    {Key::CtrlShiftPageDown, {VK_NEXT, {VK_CONTROL, VK_SHIFT}}},
    {Key::CtrlShiftPageUp, {VK_PRIOR, {VK_CONTROL, VK_SHIFT}}},
    {Key::CtrlAltTab, {VK_TAB, {VK_CONTROL, VK_MENU}}},
    {Key::CtrlAltPageDown, {VK_NEXT, {VK_CONTROL, VK_MENU}}},
    {Key::AltF4, {VK_F4, {VK_MENU}}}, {Key::Home, {VK_HOME, {}}}, {Key::End, {VK_END, {}}},
    {Key::Left, {VK_LEFT, {}}}, {Key::Right, {VK_RIGHT, {}}}, {Key::Up, {VK_UP, {}}},
    {Key::Down, {VK_DOWN, {}}},
    {Key::Backspace, {VK_BACK, {}}}, {Key::Delete, {VK_DELETE, {}}}, {Key::F1, {VK_F1, {}}},
    {Key::F10, {VK_F10, {}}}, {Key::ShiftF10, {VK_F10, {VK_SHIFT}}}, {Key::Alt, {VK_MENU, {}}},
    {Key::AltSpace, {VK_SPACE, {VK_MENU}}}, {Key::ContextMenu, {VK_APPS, {}}},
    {Key::CtrlA, {'A', {VK_CONTROL}}}, {Key::CtrlC, {'C', {VK_CONTROL}}},
    {Key::CtrlV, {'V', {VK_CONTROL}}}, {Key::CtrlX, {'X', {VK_CONTROL}}},
    {Key::CtrlZ, {'Z', {VK_CONTROL}}}, {Key::CtrlSpace, {VK_SPACE, {VK_CONTROL}}},
};

// Runs inside every modal loop a key or a click may open (menus, the about window, a window
// move), armed before each: answers a menu by turns with Esc or with Down and Enter, closes an
// about window, and stops once nothing has been open for a few ticks, so that the pump finds the
// queue quiet.
int answered = 0;
int ticks_in_menu = 0;
int idle_ticks = 0;
UINT_PTR answering = 0;

void CALLBACK answer_menus(HWND, UINT, UINT_PTR timer, DWORD) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetCurrentThreadId(), &thread);
    if ((thread.flags & (GUI_INMENUMODE | GUI_INMOVESIZE)) != 0) {
        if (++ticks_in_menu > 8 || ++answered % 2 == 0) {
            EndMenu();
            send(key_press(VK_ESCAPE, {}));
        } else {
            send(key_press(VK_DOWN, {}));
            send(key_press(VK_RETURN, {}));
        }
        return;
    }
    ticks_in_menu = 0;
    if (HWND about = about_window()) {
        PostMessageW(about, WM_CLOSE, 0, 0);
    } else if (++idle_ticks > 3) {
        KillTimer(nullptr, timer);
        answering = 0;
    }
}

void arm_answers() {
    idle_ticks = 0;
    if (answering == 0) {
        answering = SetTimer(nullptr, 0, 40, &answer_menus);
    }
}
// clang-format on

class Win32Driver : public Driver {
  public:
    // A box's modal loop handles what is waiting, as a real box's does.
    Win32Driver() {
        w_.messages.while_shown = [this] {
            EXPECT_FALSE(std::exchange(showing_, true)) << "a message box opened inside another";
            w_.pump();
            showing_ = false;
        };
    }

    ~Win32Driver() override {
        if (theme_) {
            SetSysColors(2, kThemeElements.data(), theme_->data());
        }
        if (context_ != nullptr) {
            ImmAssociateContextEx(w_.main(), nullptr, IACE_DEFAULT);
            ImmDestroyContext(context_);
        }
    }

    void click(Control control) override {
        w_.click(w_.control(control));
        rest_the_pointer();
        if (context_ != nullptr) {
            EXPECT_EQ(ImmGetCompositionStringW(context_, GCS_COMPSTR, nullptr, 0), 0)
                << "a composition was left behind by a click";
        }
    }

    // Through the input method manager, whose default input method sends the messages an input
    // method sends, as it updates a composition and then completes it.
    void compose(std::u16string_view text) override {
        std::wstring composition;
        for (const char16_t ch : text) {
            composition += static_cast<wchar_t>(ch);
            ImmSetCompositionStringW(context(), SCS_SETSTR, composition.data(),
                                     static_cast<DWORD>(composition.size() * sizeof(wchar_t)),
                                     nullptr, 0);
            w_.pump();
        }
    }

    void commit() override {
        ImmNotifyIME(context(), NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
        w_.pump();
    }

    void type(std::u16string_view text) override { w_.type(text); }

    void press(Key key) override {
        const Stroke& stroke = kKeys.at(key);
        if (key == Key::KeypadEnter || key == Key::ShiftKeypadEnter ||
            key == Key::CtrlKeypadEnter) {
            // The keypad's Enter is the extended one; the modifiers are held around it.
            std::vector<INPUT> inputs = key_press(stroke.key, stroke.modifiers);
            for (INPUT& input : inputs) {
                if (input.ki.wVk == stroke.key) {
                    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
                }
            }
            send(inputs);
        } else if (key == Key::HeldEnter) {
            send({key_input(stroke.key, false), key_input(stroke.key, false),
                  key_input(stroke.key, true)});
        } else {
            arm_answers();
            send(key_press(stroke.key, stroke.modifiers));
        }
        w_.pump();
    }

    void paste(std::u16string_view text) override {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
        auto* copy = static_cast<char16_t*>(GlobalLock(memory));
        text.copy(copy, text.size());
        copy[text.size()] = u'\0';
        GlobalUnlock(memory);
        EXPECT_TRUE(OpenClipboard(w_.main()));
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        press(Key::CtrlV);
    }

    void open_menu() override {
        RECT item;
        GetMenuItemRect(w_.main(), GetMenu(w_.main()), 0, &item);
        POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ScreenToClient(w_.main(), &at);
        arm_answers();
        WindowHarness::click_at(w_.main(), at);
        w_.pump();
        rest_the_pointer();
    }

    void select_tab(int index) override {
        w_.select_tab(index);
        rest_the_pointer();
    }

    bool about(AboutAction action) override {
        AboutVisit current{action};
        visit = &current;
        SetTimer(nullptr, 0, 60, &about_tick);
        PostMessageW(w_.main(), WM_COMMAND, kAboutCommand, 0);
        w_.pump(400);
        visit = nullptr;
        EXPECT_TRUE(current.acted) << "the about window did not come up in the foreground";
        EXPECT_TRUE(IsWindowEnabled(w_.main()));
        EXPECT_EQ(GetActiveWindow(), w_.main());
        return current.closed_by_action;
    }

    std::u16string text(Control box) override { return w_.text(box); }

    // The marked boxes are painted with brushes of the window's own; the others with the system's.
    Mark mark(Control box) override {
        HDC dc = CreateCompatibleDC(nullptr);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(w_.main(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(w_.control(box))));
        const COLORREF background = GetBkColor(dc);
        DeleteDC(dc);
        if (brush == GetSysColorBrush(COLOR_WINDOW)) {
            return Mark::None;
        }
        return background ==
                       RGB(kErrorBackground.red, kErrorBackground.green, kErrorBackground.blue)
                   ? Mark::Error
                   : Mark::Accepted;
    }

    Control focused() override {
        HWND focus = GetFocus();
        return IsChild(w_.main(), focus) ? control_of_id(GetDlgCtrlID(focus))
                                         : Control::Pelmora_Main;
    }

    Control shown_page() override { return w_.window->shown_page(); }

    bool shows_start(Control box) override {
        return SendMessageW(w_.control(box), EM_GETFIRSTVISIBLELINE, 0, 0) == 0;
    }

    bool running() override { return !w_.quit && IsWindow(w_.main()); }

    bool enabled() override { return IsWindowEnabled(w_.main()) != FALSE; }

    int random_events() override { return 120; }

    const std::vector<RecordingMessageBoxes::Shown>& messages() override {
        return w_.messages.shown;
    }

    void write(Control box, std::u16string_view text) override { w_.window->set_text(box, text); }

    int text_limit(Control box) override {
        return static_cast<int>(SendMessageW(w_.control(box), EM_GETLIMITTEXT, 0, 0));
    }

    std::u16string caption() override {
        wchar_t caption[64] = {};
        GetWindowTextW(w_.main(), caption, 64);
        return utf16(caption);
    }

    Rect place(Control control) override {
        RECT area;
        GetWindowRect(w_.control(control), &area);
        MapWindowPoints(nullptr, w_.main(), reinterpret_cast<POINT*>(&area), 2);
        return rect_of(area);
    }

    Rect client() override {
        RECT area;
        GetClientRect(w_.main(), &area);
        return rect_of(area);
    }

    void resize(int wider, int taller) override {
        RECT outer;
        GetWindowRect(w_.main(), &outer);
        SetWindowPos(w_.main(), nullptr, 0, 0, outer.right - outer.left + wider,
                     outer.bottom - outer.top + taller, SWP_NOMOVE | SWP_NOZORDER);
        w_.pump();
    }

    std::vector<std::u16string> tab_captions() override {
        HWND tabs = w_.control(Control::TabStrip1);
        std::vector<std::u16string> all;
        for (int i = 0; i < SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0); ++i) {
            wchar_t caption[64] = {};
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption;
            item.cchTextMax = 64;
            SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item));
            all.push_back(utf16(caption));
        }
        return all;
    }

    std::vector<std::u16string> tab_tooltips() override {
        HWND tabs = w_.control(Control::TabStrip1);
        HWND tooltip = reinterpret_cast<HWND>(SendMessageW(tabs, TCM_GETTOOLTIPS, 0, 0));
        std::vector<std::u16string> all;
        for (int i = 0; tooltip != nullptr && i < SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0); ++i) {
            wchar_t tip[128] = {};
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = tabs;
            tool.uId = static_cast<UINT_PTR>(i);
            tool.lpszText = tip;
            SendMessageW(tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
            all.push_back(utf16(tip));
        }
        return all;
    }

    std::u16string screen_reader_name(Control control) override {
        EXPECT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        IAccessible* accessible = nullptr;
        std::u16string heard;
        if (SUCCEEDED(AccessibleObjectFromWindow(w_.control(control), OBJID_CLIENT, IID_IAccessible,
                                                 reinterpret_cast<void**>(&accessible)))) {
            VARIANT self{};
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            BSTR announced = nullptr;
            accessible->get_accName(self, &announced);
            if (announced != nullptr) {
                heard = utf16(std::wstring_view(announced, SysStringLen(announced)));
            }
            SysFreeString(announced);
            accessible->Release();
        }
        CoUninitialize();
        return heard;
    }

    // A centred panel's text starts with a tab, which is not shown.
    std::vector<std::u16string> status_texts() override {
        HWND bar = w_.control(Control::StatusBar1);
        std::vector<std::u16string> all;
        for (int part = 0; part < SendMessageW(bar, SB_GETPARTS, 0, 0); ++part) {
            wchar_t text[128] = {};
            SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part),
                         reinterpret_cast<LPARAM>(text));
            std::u16string shown = utf16(text);
            if (shown.starts_with(u'\t')) {
                shown.erase(0, 1);
            }
            all.push_back(shown);
        }
        return all;
    }

    std::vector<int> status_widths() override {
        std::array<int, 4> right_edges{};
        SendMessageW(w_.control(Control::StatusBar1), SB_GETPARTS, right_edges.size(),
                     reinterpret_cast<LPARAM>(right_edges.data()));
        std::vector<int> widths;
        int left = 0;
        for (const int right : right_edges) {
            widths.push_back(right - left);
            left = right;
        }
        return widths;
    }

    void set_clock(int year, int month, int day, int hour, int minute, int second) override {
        w_.now = moment(year, month, day, hour, minute);
        w_.now.wSecond = static_cast<WORD>(second);
        PostMessageW(w_.main(), WM_TIMER, kClockTimer, 0);
        w_.pump();
    }

    std::u16string short_date(int year, int month, int day) override {
        const SYSTEMTIME at = moment(year, month, day, 0, 0);
        wchar_t date[80] = {};
        GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &at, nullptr, date, 80, nullptr);
        return utf16(date);
    }

    // The wine session's colours are the next test's too: they are put back.
    void use_theme(Rgb face, Rgb text) override {
        if (!theme_) {
            theme_ = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
        }
        const std::array<COLORREF, 2> colours{RGB(face.red, face.green, face.blue),
                                              RGB(text.red, text.green, text.blue)};
        SetSysColors(2, kThemeElements.data(), colours.data());
    }

    AboutLook about_look() override {
        AboutLook seen;
        look = &seen;
        look_owner = w_.main();
        SetTimer(nullptr, 0, 60, &look_at_about);
        PostMessageW(w_.main(), WM_COMMAND, kAboutCommand, 0);
        w_.pump(400);
        look = nullptr;
        EXPECT_EQ(seen.names.size(), 2U) << "the about window did not come up in the foreground";
        return seen;
    }

  private:
    // The pointer leaves the window: resting on a tab, it keeps the tooltip's timers ticking, and
    // the pump would never find the queue quiet.
    void rest_the_pointer() {
        INPUT away{};
        away.type = INPUT_MOUSE;
        away.mi.dx = 65535;
        away.mi.dy = 65535;
        away.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        send({away});
        w_.pump();
    }

    static constexpr std::array<int, 2> kThemeElements{COLOR_BTNFACE, COLOR_BTNTEXT};

    static SYSTEMTIME moment(int year, int month, int day, int hour, int minute) {
        SYSTEMTIME at{};
        at.wYear = static_cast<WORD>(year);
        at.wMonth = static_cast<WORD>(month);
        at.wDay = static_cast<WORD>(day);
        at.wHour = static_cast<WORD>(hour);
        at.wMinute = static_cast<WORD>(minute);
        FILETIME file;
        SystemTimeToFileTime(&at, &file);
        FileTimeToSystemTime(&file, &at);
        return at;
    }

    // Wine gives the window no input context: one is made for it and its controls, as Windows
    // gives each thread one, and switched on.
    HIMC context() {
        if (context_ == nullptr) {
            context_ = ImmCreateContext();
            ImmAssociateContextEx(w_.main(), context_, IACE_CHILDREN);
            ImmSetOpenStatus(context_, TRUE);
        }
        return context_;
    }

    WindowHarness w_;
    HIMC context_ = nullptr;
    std::optional<std::array<COLORREF, 2>> theme_;
    bool showing_ = false;
};

}  // namespace

}  // namespace pelmora::conformance

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    pelmora::conformance::register_scenarios(
        "win32", [] { return std::make_unique<pelmora::conformance::Win32Driver>(); });
    return RUN_ALL_TESTS();
}
