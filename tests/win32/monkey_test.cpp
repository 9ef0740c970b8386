// A seeded random-input run of the real Win32 window: clicks on the shown page, the tabs and the
// menu, typing, and the keys to which Windows gives a meaning of its own, with menus and the about
// window answered as they open (a timer runs inside their modal loops) and message boxes through
// the seam. After every event the program runs with its main window enabled, the linked boxes
// agree, no loss probability of 1 or more stands, each result box holds its previous text, an
// answer or what the user typed into it, and every box the focus is not in shows the start of its
// text. A broken invariant prints the seed and the last events; PELMORA_MONKEY_SEED and
// PELMORA_MONKEY_EVENTS replay it; PELMORA_MONKEY_TRACE prints each event as it starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "form/layout.h"
#include "monkey_invariants.h"
#include "support/window_harness.h"

namespace {

using pelmora::Control;
namespace layout = pelmora::layout;

std::mt19937_64 random_engine;

int pick(int count) {
    return static_cast<int>(random_engine() % static_cast<std::uint64_t>(count));
}

int environment_number(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : fallback;
}

struct Key {
    const char* name;
    WORD key;
    std::vector<WORD> modifiers;
};

const std::vector<Key> kKeys = {
    {"Enter", VK_RETURN, {}},
    {"Tab", VK_TAB, {}},
    {"Shift+Tab", VK_TAB, {VK_SHIFT}},
    {"Esc", VK_ESCAPE, {}},
    {"F1", VK_F1, {}},
    {"F10", VK_F10, {}},
    {"Alt", VK_MENU, {}},
    {"Alt+Space", VK_SPACE, {VK_MENU}},
    {"Shift+F10", VK_F10, {VK_SHIFT}},
    {"context-menu key", VK_APPS, {}},
    {"Ctrl+Tab", VK_TAB, {VK_CONTROL}},
    {"Ctrl+PageUp", VK_PRIOR, {VK_CONTROL}},
    {"Ctrl+PageDown", VK_NEXT, {VK_CONTROL}},
    {"Ctrl+A", 'A', {VK_CONTROL}},
    {"Ctrl+C", 'C', {VK_CONTROL}},
    {"Ctrl+V", 'V', {VK_CONTROL}},
    {"Ctrl+X", 'X', {VK_CONTROL}},
    {"Ctrl+Z", 'Z', {VK_CONTROL}},
    {"Backspace", VK_BACK, {}},
    {"Delete", VK_DELETE, {}},
    {"Home", VK_HOME, {}},
    {"End", VK_END, {}},
};

const std::vector<std::u16string> kTokens = {u"0",  u"1",  u"5",  u"9",  u".",  u"-",    u"e",
                                             u"D",  u"&H", u"F",  u"a",  u" ",  u"０",   u"５",
                                             u"．", u"1e", u".5", u"0.", u"99", u"1e400"};

void press(WORD key, const std::vector<WORD>& modifiers) {
    send(key_press(key, modifiers));
}

HWND about_window() {
    HWND about = FindWindowW(L"frmSplash", nullptr);
    return about != nullptr && IsWindowVisible(about) ? about : nullptr;
}

// Runs inside every modal loop (menus, the about window, a window move): answers what is open,
// and closes what stays open too long. Armed before each event, it stops once nothing has been
// open for a few ticks, so that the harness's pump finds the queue quiet.
std::deque<std::string>* answers = nullptr;
int ticks_in_menu = 0;
int idle_ticks = 0;
UINT_PTR answering = 0;

void CALLBACK answer(HWND, UINT, UINT_PTR timer, DWORD);

void arm_answers() {
    idle_ticks = 0;
    if (answering == 0) {
        answering = SetTimer(nullptr, 0, 40, &answer);
    }
}

void CALLBACK answer(HWND, UINT, UINT_PTR timer, DWORD) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetCurrentThreadId(), &thread);
    if ((thread.flags & (GUI_INMENUMODE | GUI_INMOVESIZE)) != 0) {
        if (++ticks_in_menu > 8) {
            EndMenu();
            press(VK_ESCAPE, {});
        } else if (pick(2) == 0) {
            answers->push_back("  answered: Esc");
            press(VK_ESCAPE, {});
        } else {
            answers->push_back("  answered: Down, Enter");
            press(VK_DOWN, {});
            press(VK_RETURN, {});
        }
        return;
    }
    ticks_in_menu = 0;
    HWND about = about_window();
    if (about == nullptr) {
        if (++idle_ticks > 3) {
            KillTimer(nullptr, timer);
            answering = 0;
        }
        return;
    }
    {
        switch (pick(4)) {
            case 0:
                answers->push_back("  about: a character");
                send({key_input(0, false, L'q'), key_input(0, true, L'q')});
                break;
            case 1:
                answers->push_back("  about: Alt+F4");
                press(VK_F4, {VK_MENU});
                break;
            case 2:
                answers->push_back("  about: End task");
                PostMessageW(about, WM_CLOSE, 0, 0);
                break;
            default:
                answers->push_back("  about: its button");
                WindowHarness::click_at(about_button(about),
                                        WindowHarness::centre_of(about_button(about)));
                break;
        }
    }
}

class MonkeyTest : public testing::Test {
  protected:
    WindowHarness w;
    std::deque<std::string> events;

    std::vector<Control> boxes() const {
        std::vector<Control> found;
        for (const layout::Placement& placed : layout::main_window()) {
            if (placed.kind == layout::Kind::TextBox) {
                found.push_back(placed.control);
            }
        }
        return found;
    }

    void note(std::string event) {
        if (std::getenv("PELMORA_MONKEY_TRACE") != nullptr) {
            std::fprintf(stderr, "%s\n", event.c_str());
        }
        events.push_back(std::move(event));
    }

    // One random event.
    void act() {
        const int kind = pick(100);
        if (kind < 30) {
            std::vector<HWND> shown;
            for (const layout::Placement& placed : layout::main_window()) {
                HWND control = w.control(placed.control);
                if (placed.control != Control::Command4 && IsWindowVisible(control) &&
                    placed.kind != layout::Kind::StatusBar) {
                    shown.push_back(control);
                }
            }
            HWND target = shown[static_cast<std::size_t>(pick(static_cast<int>(shown.size())))];
            note("click " + name(pelmora::control_of_id(GetDlgCtrlID(target))));
            w.click(target);
        } else if (kind < 55) {
            std::u16string text;
            for (int i = 1 + pick(3); i > 0; --i) {
                text += kTokens[static_cast<std::size_t>(pick(static_cast<int>(kTokens.size())))];
            }
            note("type into " + w.focused());
            w.type(text);
        } else if (kind < 90) {
            const Key& key = kKeys[static_cast<std::size_t>(pick(static_cast<int>(kKeys.size())))];
            note(std::string("key ") + key.name + " in " + w.focused());
            // Enter on the close button ends the program, as it should; the run goes on.
            if (key.key != VK_RETURN || w.focused() != "Command4") {
                w.key(key.key, key.modifiers);
            }
        } else if (kind < 95) {
            const int tab = pick(3);
            note("select tab " + std::to_string(tab + 1));
            w.select_tab(tab);
        } else {
            note("click the menu Help");
            RECT item;
            GetMenuItemRect(w.main(), GetMenu(w.main()), 0, &item);
            POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
            ScreenToClient(w.main(), &at);
            WindowHarness::click_at(w.main(), at);
            w.pump();
        }
        // The pointer leaves the window: resting on a tab, it keeps the tooltip's timers ticking,
        // and the harness's pump would never find the queue quiet.
        INPUT away{};
        away.type = INPUT_MOUSE;
        away.mi.dx = 65535;
        away.mi.dy = 65535;
        away.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        send({away});
        w.pump(100);
    }

    // What is wrong after the event, if anything.
    std::string broken(const std::vector<std::u16string>& before, HWND focus_before) {
        if (w.quit || !IsWindow(w.main())) {
            return "the program ended";
        }
        if (!IsWindowEnabled(w.main()) && about_window() == nullptr) {
            return "the main window stays disabled";
        }
        std::map<Control, std::u16string> earlier;
        const std::vector<Control> all = boxes();
        for (std::size_t i = 0; i < all.size(); ++i) {
            earlier[all[i]] = before[i];
        }
        return pelmora::monkey::broken(
            {[this](Control box) { return w.text(box); }, [](Control) { return true; },
             [&](Control box) {
                 HWND handle = w.control(box);
                 return handle == focus_before || handle == GetFocus() ||
                        (box == Control::Text8 &&
                         w.text(Control::Text10) != earlier[Control::Text10]);
             },
             [this](Control box) { return start_problem(box); }},
            earlier);
    }

    // An empty box has nothing to show. Wine keeps the scroll offset of a text deleted whole until
    // the next character, which it shows from the start.
    std::string start_problem(Control box) {
        HWND handle = w.control(box);
        if (handle == GetFocus() || w.text(box).empty() ||
            SendMessageW(handle, EM_GETFIRSTVISIBLELINE, 0, 0) == 0) {
            return {};
        }
        std::string shown;
        for (const char16_t ch : w.text(box)) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(ch));
            shown += ch >= 0x20 && ch < 0x7f ? std::string(1, static_cast<char>(ch)) : code;
        }
        return " of \"" + shown + "\" but its character " +
               std::to_string(SendMessageW(handle, EM_GETFIRSTVISIBLELINE, 0, 0)) +
               " (the focus in " + w.focused() + ")";
    }
};

TEST_F(MonkeyTest, RandomInputKeepsEveryInvariant) {
    const int seed = environment_number("PELMORA_MONKEY_SEED", 1);
    const int count = environment_number("PELMORA_MONKEY_EVENTS", 120);
    random_engine.seed(static_cast<std::uint64_t>(seed));
    answers = &events;
    for (int event = 0; event < count; ++event) {
        std::vector<std::u16string> before;
        for (const Control box : boxes()) {
            before.push_back(w.text(box));
        }
        HWND focus_before = GetFocus();
        arm_answers();
        act();

        const std::string what = broken(before, focus_before);
        if (!what.empty()) {
            std::string replay;
            for (const std::string& each : events) {
                replay += "\n  " + each;
            }
            FAIL() << what << " (seed " << seed << ", event " << event + 1
                   << "; replay: PELMORA_MONKEY_SEED=" << seed
                   << " PELMORA_MONKEY_EVENTS=" << event + 1 << "); the last events:" << replay;
        }
        while (events.size() > 40) {
            events.pop_front();
        }
    }
    std::printf("monkey seed %d: %d events, %zu message boxes\n", seed, count,
                w.messages.shown.size());
}

// Windows asks at the end of the session, then tells: the program lets the session end without a
// question, while a message box is open, while the about window is open and during a search, and
// goes on without a crash until Windows ends it.
TEST_F(MonkeyTest, TheEndOfTheSessionEndsItWithoutAQuestion) {
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
        if (HWND about = about_window()) {
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
