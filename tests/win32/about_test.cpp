#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/window_harness.h"
#include "win32/conversions.h"

namespace {

HWND about_window() {
    return FindWindowW(L"frmSplash", nullptr);
}

HWND about_control(const wchar_t* text) {
    return FindWindowExW(about_window(), nullptr, nullptr, text);
}

// Runs the steps one by one, a timer tick apart, inside the about window's modal loop (which only
// returns once the window has closed); a window still open after the last step is closed with a
// character, and the test fails.
class AboutSession {
  public:
    explicit AboutSession(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {}

    // Chooses "About" and returns once the about window has closed.
    bool run(WindowHarness& w) {
        current_ = this;
        SetTimer(nullptr, 0, 80, &tick);
        PostMessageW(w.main(), WM_COMMAND, pelmora::kAboutCommand, 0);
        w.pump(400);
        current_ = nullptr;
        return !left_open_;
    }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD) {
        AboutSession& session = *current_;
        if (about_window() == nullptr || !IsWindowVisible(about_window())) {
            // Closed: the session is over (the timer would keep the harness's pump busy).
            if (session.next_ > 0) {
                KillTimer(nullptr, timer);
            }
            return;
        }
        if (session.next_ < session.steps_.size()) {
            session.steps_[session.next_++]();
        } else if (session.next_++ == session.steps_.size() + 2) {
            session.left_open_ = true;
            PostMessageW(GetFocus(), WM_CHAR, L'x', 0);
        }
    }

    static inline AboutSession* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    std::size_t next_ = 0;
    bool left_open_ = false;
};

class AboutTest : public testing::Test {
  protected:
    WindowHarness w;

    std::function<void()> typed(wchar_t character) {
        return [character] {
            WindowHarness::send({WindowHarness::key_input(0, false, character),
                                 WindowHarness::key_input(0, true, character)});
        };
    }
};

// A fixed dialog border; no caption is drawn, but a screen reader announces the window by one:
// the menu item that opened it.
TEST_F(AboutTest, HasAFixedBorderAndTheMenuItemsName) {
    bool checked = false;
    AboutSession session({[&] {
                              const LONG style = GetWindowLongW(about_window(), GWL_STYLE);
                              EXPECT_TRUE(style & WS_DLGFRAME);
                              EXPECT_FALSE(style & WS_THICKFRAME);
                              wchar_t caption[32] = {};
                              GetWindowTextW(about_window(), caption, 32);
                              EXPECT_EQ(pelmora::utf16(caption), pelmora::layout::kAboutItem);
                              checked = true;
                          },
                          typed(L'a')});
    EXPECT_TRUE(session.run(w));
    EXPECT_TRUE(checked);
}

// The names' colour is decided again after a switch of high contrast, while the window is open.
TEST_F(AboutTest, PaintsItsNamesAfreshWhenHighContrastIsSwitched) {
    bool invalidated = false;
    AboutSession session(
        {[&] {
             HWND about = about_window();
             RedrawWindow(about, nullptr, nullptr, RDW_VALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
             SendMessageW(about, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
             for (const auto& placed : pelmora::layout::about_window()) {
                 if (placed.control == pelmora::layout::AboutControl::lblProductName) {
                     invalidated = GetUpdateRect(
                         about_control(pelmora::wide(placed.caption).c_str()), nullptr, FALSE);
                 }
             }
         },
         typed(L'a')});
    EXPECT_TRUE(session.run(w));
    EXPECT_TRUE(invalidated);
}

}  // namespace
