#include <windows.h>

#include <gtest/gtest.h>
#include <imm.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "driver.h"
#include "support/window_harness.h"
#include "win32/control_ids.h"

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

struct Stroke {
    WORD key;
    std::vector<WORD> modifiers;
};

// clang-format off
const std::map<Key, Stroke> kKeys = {
    {Key::Enter, {VK_RETURN, {}}}, {Key::KeypadEnter, {VK_RETURN, {}}},
    {Key::HeldEnter, {VK_RETURN, {}}}, {Key::ShiftEnter, {VK_RETURN, {VK_SHIFT}}},
    {Key::CtrlEnter, {VK_RETURN, {VK_CONTROL}}}, {Key::AltEnter, {VK_RETURN, {VK_MENU}}},
    {Key::Space, {VK_SPACE, {}}}, {Key::Tab, {VK_TAB, {}}}, {Key::ShiftTab, {VK_TAB, {VK_SHIFT}}},
    {Key::Esc, {VK_ESCAPE, {}}}, {Key::CtrlTab, {VK_TAB, {VK_CONTROL}}},
    {Key::CtrlShiftTab, {VK_TAB, {VK_CONTROL, VK_SHIFT}}},
    {Key::CtrlPageDown, {VK_NEXT, {VK_CONTROL}}}, {Key::CtrlPageUp, {VK_PRIOR, {VK_CONTROL}}},
    {Key::AltF4, {VK_F4, {VK_MENU}}}, {Key::End, {VK_END, {}}}, {Key::Left, {VK_LEFT, {}}},
    {Key::Down, {VK_DOWN, {}}},
    {Key::Backspace, {VK_BACK, {}}},
};
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
        if (context_ != nullptr) {
            ImmAssociateContextEx(w_.main(), nullptr, IACE_DEFAULT);
            ImmDestroyContext(context_);
        }
    }

    void click(Control control) override {
        w_.click(w_.control(control));
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
        if (key == Key::KeypadEnter) {
            INPUT down = key_input(stroke.key, false);
            INPUT up = key_input(stroke.key, true);
            down.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            up.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            send({down, up});
        } else if (key == Key::HeldEnter) {
            send({key_input(stroke.key, false), key_input(stroke.key, false),
                  key_input(stroke.key, true)});
        } else {
            send(key_press(stroke.key, stroke.modifiers));
        }
        w_.pump();
    }

    void select_tab(int index) override { w_.select_tab(index); }

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

    const std::vector<RecordingMessageBoxes::Shown>& messages() override {
        return w_.messages.shown;
    }

  private:
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
