#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "form/contrast.h"
#include "support/window_harness.h"
#include "win32/conversions.h"

namespace {

using pelmora::Control;

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

TEST_F(AboutTest, OpensModalCentredWithoutTitleBarAndClosesOnAKey) {
    bool checked = false;
    AboutSession session({[&] {
                              HWND about = about_window();
                              const LONG style = GetWindowLongW(about, GWL_STYLE);
                              EXPECT_FALSE((style & WS_CAPTION) == WS_CAPTION);
                              EXPECT_TRUE(style & WS_DLGFRAME);
                              EXPECT_FALSE(style & WS_THICKFRAME);
                              EXPECT_EQ(GetWindow(about, GW_OWNER), w.main());
                              EXPECT_FALSE(GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_APPWINDOW);
                              EXPECT_FALSE(IsWindowEnabled(w.main()));
                              EXPECT_EQ(GetFocus(), about_button(about));
                              MONITORINFO monitor{};
                              monitor.cbSize = sizeof monitor;
                              GetMonitorInfoW(MonitorFromWindow(about, MONITOR_DEFAULTTONEAREST),
                                              &monitor);
                              RECT placed;
                              GetWindowRect(about, &placed);
                              EXPECT_NEAR((placed.left + placed.right) / 2,
                                          (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
                              EXPECT_NEAR((placed.top + placed.bottom) / 2,
                                          (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
                              // Not drawn without a title bar, but what a screen reader
                              // announces the window by: the menu item that opened it.
                              wchar_t caption[32] = {};
                              GetWindowTextW(about, caption, 32);
                              EXPECT_EQ(pelmora::utf16(caption), pelmora::layout::kAboutItem);
                              EXPECT_NE(about_control(L"Windows Me/NT/XP/2000"), nullptr);
                              EXPECT_NE(about_control(L"System version 4.00 release 2"), nullptr);
                              checked = true;
                          },
                          typed(L'a')});
    w.focus(Control::Text4);
    EXPECT_TRUE(session.run(w));
    EXPECT_TRUE(checked);
    EXPECT_EQ(about_window(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(w.main()));
    EXPECT_EQ(GetActiveWindow(), w.main());
    EXPECT_EQ(w.focused(), "Text4");
}

// The colours a label of the about window is painted with, as it asks for them.
std::pair<COLORREF, COLORREF> painted(HWND label) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(about_window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(label));
    const std::pair colours{GetTextColor(dc), GetBkColor(dc)};
    DeleteDC(dc);
    return colours;
}

// The maker's and the product's names keep their blue on a light face, and take the system's
// text colour on a face too dark for it, as a high-contrast scheme has.
TEST_F(AboutTest, NamesStayReadableOnADarkFace) {
    const std::array<int, 2> elements{COLOR_BTNFACE, COLOR_BTNTEXT};
    // The wine session's colours are the next test's too.
    struct Restore {
        std::array<int, 2> elements;
        std::array<COLORREF, 2> saved{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
        ~Restore() { SetSysColors(2, elements.data(), saved.data()); }
    } restore{elements};
    for (const std::array<COLORREF, 2> face_and_text :
         {std::array<COLORREF, 2>{RGB(240, 240, 240), RGB(0, 0, 0)},
          std::array<COLORREF, 2>{RGB(0, 0, 0), RGB(255, 255, 255)}}) {
        SetSysColors(2, elements.data(), face_and_text.data());
        std::vector<std::pair<COLORREF, COLORREF>> names;
        AboutSession session({[&] {
                                  for (const auto& placed : pelmora::layout::about_window()) {
                                      if (placed.colour) {
                                          names.push_back(painted(about_control(
                                              pelmora::wide(placed.caption).c_str())));
                                      }
                                  }
                              },
                              typed(L'a')});
        EXPECT_TRUE(session.run(w));
        ASSERT_EQ(names.size(), 2u);
        const bool light = face_and_text[0] == RGB(240, 240, 240);
        EXPECT_EQ(names[1].first, light ? RGB(0, 0, 255) : face_and_text[1]);
        for (const auto& [text, background] : names) {
            EXPECT_TRUE(pelmora::readable_on(pelmora::rgb(text), pelmora::rgb(background)))
                << std::hex << text << " on " << background;
        }
    }
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
