#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <imm.h>
#include <oleacc.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "form/layout.h"
#include "form/texts.h"
#include "support/window_harness.h"
#include "win32/accessibility.h"
#include "win32/dpi.h"
#include "win32/theme_library.h"

namespace {

using pelmora::Control;
namespace layout = pelmora::layout;

std::u16string help(Control control) {
    return pelmora::texts::help_text(control).value();
}

RECT place_in_client(HWND control) {
    RECT area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

std::u16string status_text(HWND bar, int part) {
    wchar_t text[128] = {};
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return pelmora::utf16(text);
}

// A text as a centred status-bar panel holds it: after a tab.
std::u16string centred(const wchar_t* text) {
    std::u16string panel = u"\t";
    panel += pelmora::utf16(text);
    return panel;
}

std::u16string centred_time(const SYSTEMTIME& now) {
    wchar_t time[80] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, time, 80);
    return centred(time);
}

// What reaches the status bar that draws it or its panels again, seen from a subclass of it: its
// paints, and the requests that make Windows' status bar draw again even with nothing new (wine's
// skips a text or edges it already has).
struct BarRedraws {
    explicit BarRedraws(HWND bar) : bar(bar) {
        SetWindowSubclass(bar, &count, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~BarRedraws() { RemoveWindowSubclass(bar, &count, 1); }
    static LRESULT CALLBACK count(HWND bar, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                  DWORD_PTR self) {
        auto* redraws = reinterpret_cast<BarRedraws*>(self);
        redraws->paints += message == WM_PAINT;
        redraws->requests += message == SB_SETTEXTW || message == SB_SETPARTS || message == WM_SIZE;
        return DefSubclassProc(bar, message, w, l);
    }
    HWND bar;
    int paints = 0;
    int requests = 0;
};

class WindowTest : public testing::Test {
  protected:
    WindowHarness w;
};

// The controls of a page are the window's children, as every control is: they hide with it.
TEST_F(WindowTest, StartsWithTheFirstPage) {
    EXPECT_TRUE(IsWindowVisible(w.control(Control::Frame1)));
    EXPECT_FALSE(IsWindowVisible(w.control(Control::Frame2)));
    EXPECT_FALSE(IsWindowVisible(w.control(Control::Text6)));
    EXPECT_TRUE(IsWindowVisible(w.control(Control::Command4)));
}

// The clock shows minutes: a tick within the minute leaves the bar alone; the next minute, a change
// of the system's time and the computer waking show the time at once.
TEST_F(WindowTest, TheClockDrawsTheStatusBarOnlyForANewTime) {
    HWND bar = w.control(Control::StatusBar1);
    const BarRedraws redraws(bar);
    const auto tick = [&](UINT message, WPARAM what = pelmora::kClockTimer) {
        PostMessageW(w.main(), message, what, 0);
        w.pump();
    };
    w.now.wSecond = 30;
    w.now.wMilliseconds = 500;
    tick(WM_TIMER);
    EXPECT_EQ(redraws.paints, 0);
    EXPECT_EQ(redraws.requests, 0);
    w.now.wMinute = 10;
    w.now.wSecond = 0;
    tick(WM_TIMER);
    EXPECT_EQ(status_text(bar, 3), centred_time(w.now));
    EXPECT_GT(redraws.paints, 0);
    // A time of another width moves the panels' edges to where a fresh layout puts them.
    const auto edges = [bar] {
        std::array<int, 4> right_edges{};
        SendMessageW(bar, SB_GETPARTS, right_edges.size(),
                     reinterpret_cast<LPARAM>(right_edges.data()));
        return right_edges;
    };
    const auto before = edges();
    w.now.wHour = 7;
    tick(WM_TIMECHANGE, 0);
    EXPECT_EQ(status_text(bar, 3), centred_time(w.now));
    const auto after = edges();
    EXPECT_NE(after, before);
    SendMessageW(w.main(), WM_SIZE, 0, 0);
    EXPECT_EQ(edges(), after);
    w.now.wHour = 8;
    tick(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    EXPECT_EQ(status_text(bar, 3), centred_time(w.now));
}

// Every control at its stored place and every box in its stored size of the Japanese face, at the
// DPI of the wine prefix the test runs in (15 twips to a pixel at 96 DPI, 10 at 144).
TEST_F(WindowTest, ControlsStandAtTheirStoredPlacesAtTheWindowsDpi) {
    const char* expected = std::getenv("PELMORA_EXPECTED_DPI");
    const UINT dpi = pelmora::dpi_of(w.main());
    EXPECT_EQ(dpi, static_cast<UINT>(expected != nullptr ? std::atoi(expected) : 96));
    // To the nearest pixel, halves up: 8535 twips are 853.5 pixels at 144 DPI, shown as 854.
    const int per_pixel = 1440 / static_cast<int>(dpi);
    const auto in_pixels = [per_pixel](int twips) { return (twips + per_pixel / 2) / per_pixel; };
    RECT client;
    GetClientRect(w.main(), &client);
    EXPECT_EQ(client.right, in_pixels(layout::kMainClientArea.width));
    EXPECT_EQ(client.bottom, in_pixels(layout::kMainClientArea.height));
    for (const layout::Placement& placed : layout::main_window()) {
        if (placed.kind == layout::Kind::StatusBar) {
            continue;
        }
        layout::Twips at = placed.at;
        if (placed.container != Control::Pelmora_Main) {
            at.left += layout::placement_of(placed.container).at.left;
            at.top += layout::placement_of(placed.container).at.top;
        }
        const RECT shown = place_in_client(w.control(placed.control));
        EXPECT_EQ(shown.left, in_pixels(at.left)) << name(placed.control);
        EXPECT_EQ(shown.top, in_pixels(at.top)) << name(placed.control);
        EXPECT_EQ(shown.right - shown.left, in_pixels(at.width)) << name(placed.control);
        EXPECT_EQ(shown.bottom - shown.top, in_pixels(at.height)) << name(placed.control);
    }
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w.control(Control::Text2), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -static_cast<LONG>(std::lround(14.25 * dpi / 72)));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    // Japanese is drawn with glyphs, not boxes.
    HDC dc = GetDC(w.control(Control::Text2));
    auto* previous = SelectObject(
        dc, reinterpret_cast<HFONT>(SendMessageW(w.control(Control::Label1), WM_GETFONT, 0, 0)));
    WORD glyph = 0;
    GetGlyphIndicesW(dc, L"呼", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, previous);
    ReleaseDC(w.control(Control::Text2), dc);
    EXPECT_NE(glyph, 0xFFFF);
}

// Moved to a monitor of another DPI, the window lays itself out again at that DPI.
TEST_F(WindowTest, LaysItselfOutAgainAtANewDpi) {
    RECT suggested;
    GetWindowRect(w.main(), &suggested);
    suggested.right = suggested.left + (suggested.right - suggested.left) * 3 / 2;
    suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 3 / 2;
    SendMessageW(w.main(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    w.pump();
    const RECT text2 = place_in_client(w.control(Control::Text2));
    EXPECT_EQ(text2.left, (240 + 2520) / 10);
    EXPECT_EQ(text2.top, (600 + 360) / 10);
    EXPECT_EQ(text2.right - text2.left, (2415 + 5) / 10);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w.control(Control::Text2), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -29);
    RECT window;
    GetWindowRect(w.main(), &window);
    EXPECT_TRUE(EqualRect(&window, &suggested));
    // The text a box held survives the new layout.
    EXPECT_EQ(w.text(Control::Text1), help(Control::Text2));
}

// A control's user data belongs to its window class, which may keep its own there: the window's
// subclasses work whatever it holds.
TEST_F(WindowTest, TheControlsWorkWhateverTheirUserDataHolds) {
    for (const Control control : {Control::Text3, Control::TabStrip1}) {
        SetWindowLongPtrW(w.control(control), GWLP_USERDATA, 0);
    }
    w.focus(Control::Text3);
    w.type(u"7");
    EXPECT_EQ(w.text(Control::Text11), u"7");
    w.select_tab(1);
    EXPECT_EQ(w.focused(), "Text6");
}

// Windows's Japanese input method completes a converted word when the next key opens a new
// composition, so the word's characters reach the box while the input method composes again: that
// edit is reported once the new composition ends, here cancelled.
TEST_F(WindowTest, AnEditMadeWhileComposingIsReportedWhenTheCompositionEnds) {
    w.select_tab(1);
    w.focus(Control::Text7);
    HIMC context = ImmCreateContext();
    ImmAssociateContextEx(w.main(), context, IACE_CHILDREN);
    ImmSetOpenStatus(context, TRUE);
    const auto compose = [&](const wchar_t* text) {
        ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(text),
                                 static_cast<DWORD>(wcslen(text) * sizeof(wchar_t)), nullptr, 0);
    };
    compose(L"\uFF15");
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    compose(L"\uFF0E");
    w.pump();
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
    w.pump();
    ImmAssociateContextEx(w.main(), nullptr, IACE_DEFAULT);
    ImmDestroyContext(context);
    EXPECT_EQ(w.messages.shown.size(), 1U);
    EXPECT_EQ(w.text(Control::Text7), u"");
    EXPECT_EQ(w.text(Control::Text9), u"");
}

// Where a visual style draws the tab strip (wine's Light style, in the tests' prefix), a page's
// frame, labels and empty places show the tab strip's own body, which the frame's siblings would
// otherwise cover with the window's face; without a style (the prefix that turns it off) the tab
// strip is drawn plainly and a page is the face. Moved to a monitor of another DPI, the window
// paints its pages anew by itself.
TEST_F(WindowTest, APageShowsTheTabStripsBody) {
    const bool styled = std::getenv("PELMORA_EXPECTED_NO_STYLE") == nullptr;
    EXPECT_EQ(pelmora::theme::window_theme(w.control(Control::TabStrip1)) != nullptr, styled);
    RedrawWindow(w.main(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (const UINT dpi : {96u, 144u}) {
        if (dpi != 96) {
            RECT place;
            GetWindowRect(w.main(), &place);
            place.right = place.left + MulDiv(place.right - place.left, static_cast<int>(dpi), 96);
            place.bottom = place.top + MulDiv(place.bottom - place.top, static_cast<int>(dpi), 96);
            SendMessageW(w.main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&place));
            w.pump();
        }
        const RECT frame = place_in_client(w.control(Control::Frame1));
        const RECT label = place_in_client(w.control(Control::Label1));
        const RECT button = place_in_client(w.control(Control::Command1));
        const std::pair<const char*, POINT> samples[] = {
            {"inside the frame", {frame.left + 6, frame.bottom - 6}},
            {"behind a label", {label.left + 2, label.top + 2}},
            {"beside a button", {button.left - 2, button.top + 2}},
        };
        HDC dc = GetDC(w.main());
        const COLORREF body = GetPixel(dc, frame.right + 3, frame.bottom - 4);
        EXPECT_EQ(body == GetSysColor(COLOR_BTNFACE), !styled) << dpi << " DPI";
        for (const auto& [where, at] : samples) {
            EXPECT_EQ(GetPixel(dc, at.x, at.y), body) << where << ", " << dpi << " DPI";
        }
        ReleaseDC(w.main(), dc);
    }
}

// Wine's edit cannot lay out a long text of ampersands and full-width characters: typed on beyond
// that length, the box would keep showing where the typing left it.
TEST_F(WindowTest, ABoxTheFocusLeftShowsItsStartWhateverItsText) {
    std::u16string text;
    for (int i = 0; i < 110; ++i) {
        text += u"a&\uff0e";
    }
    w.window->set_text(Control::Text2, text.substr(0, 200));
    w.focus(Control::Text2);
    w.key(VK_END);
    w.type(text.substr(200));
    ASSERT_EQ(w.text(Control::Text2), text);
    w.focus(Control::Text3);
    EXPECT_EQ(SendMessageW(w.control(Control::Text2), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

// Screen readers name a standard control after the label right before it in the window order.
TEST_F(WindowTest, EveryBoxStandsRightAfterItsLabel) {
    for (const layout::Placement& placed : layout::main_window()) {
        const auto label = layout::label_of(placed.control);
        if (!label) {
            continue;
        }
        EXPECT_EQ(GetWindow(w.control(placed.control), GW_HWNDPREV), w.control(*label))
            << name(placed.control);
    }
    // The tab strip lies beneath everything.
    EXPECT_EQ(GetWindow(w.control(Control::TabStrip1), GW_HWNDNEXT), nullptr);
}

// Every box and calculate button carries its help text both as its help, which UI Automation (and
// Narrator) reads as its help text, and as its description, which NVDA reads; the help panel is
// named. Wine has no annotation service: the annotations are recorded as the window sets them.
TEST_F(WindowTest, AnnotatesHelpTextsAsHelpAndDescription) {
    std::map<std::pair<HWND, std::string>, std::u16string> set;
    pelmora::describe_for_screen_readers(
        *w.window, [&](HWND control, const GUID& property, std::u16string_view text) {
            const char* kind = IsEqualGUID(property, PROPID_ACC_HELP)          ? "help"
                               : IsEqualGUID(property, PROPID_ACC_DESCRIPTION) ? "description"
                               : IsEqualGUID(property, PROPID_ACC_NAME)        ? "name"
                                                                               : "other";
            set[{control, kind}] = text;
        });
    const auto annotation = [&](Control control, const char* kind) {
        return set[std::pair(w.control(control), std::string(kind))];
    };
    int described = 0;
    for (const layout::Placement& placed : layout::main_window()) {
        if (const auto help = pelmora::texts::help_text(placed.control)) {
            EXPECT_EQ(annotation(placed.control, "help"), *help) << name(placed.control);
            EXPECT_EQ(annotation(placed.control, "description"), *help);
            ++described;
        }
    }
    EXPECT_EQ(described, 14);
    EXPECT_EQ(annotation(Control::Text1, "name"), pelmora::texts::kHelpPanelName);
}

LRESULT CALLBACK count_colour_changes(HWND control, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                      DWORD_PTR heard) {
    if (message == WM_SYSCOLORCHANGE) {
        ++*reinterpret_cast<int*>(heard);
    }
    return DefSubclassProc(control, message, w, l);
}

// Only the top-level window hears of new system colours; it passes them on to the common controls.
// A switch of high contrast or of the visual style paints everything afresh.
TEST_F(WindowTest, FollowsChangedSystemColours) {
    const std::array controls{Control::TabStrip1, Control::StatusBar1};
    std::array<int, 2> heard{};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SetWindowSubclass(w.control(controls[i]), &count_colour_changes, 1,
                          reinterpret_cast<DWORD_PTR>(&heard[i]));
    }
    SendMessageW(w.main(), WM_SYSCOLORCHANGE, 0, 0);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        RemoveWindowSubclass(w.control(controls[i]), &count_colour_changes, 1);
        EXPECT_EQ(heard[i], 1) << name(controls[i]);
    }
    for (const auto& [message, which] :
         {std::pair<UINT, WPARAM>{WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST},
          std::pair<UINT, WPARAM>{WM_THEMECHANGED, 0}}) {
        RedrawWindow(w.main(), nullptr, nullptr, RDW_VALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
        SendMessageW(w.main(), message, which, 0);
        EXPECT_TRUE(GetUpdateRect(w.control(Control::Text2), nullptr, FALSE)) << message;
    }
}

// Windows asks at the end of the session, then tells: the program lets the session end without a
// question, while a message box is open, while the about window is open and during a search, and
// goes on without a crash until Windows ends it.
TEST_F(WindowTest, TheEndOfTheSessionEndsItWithoutAQuestion) {
    static HWND main = w.main();
    static int asked = 0;
    static int agreed = 0;
    static const auto end_session = [] {
        ++asked;
        agreed += SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP) != 0 ? 1 : 0;
        SendMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    };
    w.messages.while_shown = [] { end_session(); };
    w.click(w.control(Control::Command1));
    // Once, in the about window's loop; a timer left running would keep the pump busy for ever.
    SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR timer, DWORD) {
        if (HWND about = FindWindowW(L"frmSplash", nullptr);
            about != nullptr && IsWindowVisible(about)) {
            KillTimer(nullptr, timer);
            end_session();
            PostMessageW(about, WM_CLOSE, 0, 0);
        }
    });
    PostMessageW(w.main(), WM_COMMAND, pelmora::kAboutCommand, 0);
    w.pump(300);
    // A search that runs out of its budget, a tenth of a second, while another thread asks.
    w.select_tab(1);
    w.type(u"1e11");
    w.key(VK_RETURN);
    w.type(u".1e-299");
    std::atomic<bool> searching = true;
    std::thread session([&] {
        while (searching) {
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_BLOCK,
                                    5000, &answer) != 0) {
                ++asked;
                agreed += answer != 0 ? 1 : 0;
            }
        }
    });
    w.click(w.control(Control::Command2));
    searching = false;
    w.pump(200);
    session.join();
    EXPECT_GE(asked, 3);
    EXPECT_EQ(agreed, asked);
    EXPECT_TRUE(IsWindow(w.main()));
    // The input error report, then the search's "no answer": no question of the program's own.
    EXPECT_EQ(w.messages.shown.size(), 2u);
}

}  // namespace
