// A seeded random-input run of the real window, the same on every toolkit: clicks on the shown
// page, typing, long pastes, the keys with a meaning to the form or to the toolkit (menus among
// them, answered as they open), page switches, the menu and the about window, every message box
// answered through the seam. After every event the program runs with its main window enabled, the
// linked boxes agree, no loss probability of 1 or more stands, each result box holds its previous
// text, an answer or what the user typed into it, every box the focus is not in shows the start of
// its text, and every message is one of the form's. A broken invariant prints the seed and the last
// events; PELMORA_MONKEY_SEED and PELMORA_MONKEY_EVENTS replay it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "driver.h"
#include "form/box_value.h"
#include "form/layout.h"
#include "form/number_text.h"
#include "form/texts.h"

namespace pelmora::conformance {

namespace {

const std::vector<std::u16string> kTokens = {
    u"0",  u"1",  u"2",  u"5",  u"9",   u"00", u".",  u"-",  u"+",  u"e",     u"E",  u"d",  u"D",
    u"&H", u"&O", u"F",  u"7",  u"a",   u"x",  u"Z",  u" ",  u"\t", u"０",    u"１", u"５", u"．",
    u"－", u"ｅ", u"　", u"1e", u"e-3", u"99", u".5", u"0.", u"1d", u"1e400", u"-1", u"abc"};

struct NamedKey {
    Key key;
    const char* name;
};

const std::vector<NamedKey> kKeys = {
    {Key::Enter, "Enter"},
    {Key::KeypadEnter, "keypad Enter"},
    {Key::CtrlEnter, "Ctrl+Enter"},
    {Key::Space, "Space"},
    {Key::Tab, "Tab"},
    {Key::ShiftTab, "Shift+Tab"},
    {Key::Esc, "Esc"},
    {Key::CtrlTab, "Ctrl+Tab"},
    {Key::CtrlShiftTab, "Ctrl+Shift+Tab"},
    {Key::CtrlPageUp, "Ctrl+PageUp"},
    {Key::CtrlPageDown, "Ctrl+PageDown"},
    {Key::Home, "Home"},
    {Key::End, "End"},
    {Key::Left, "Left"},
    {Key::Down, "Down"},
    {Key::Backspace, "Backspace"},
    {Key::Delete, "Delete"},
    {Key::F1, "F1"},
    {Key::F10, "F10"},
    {Key::ShiftF10, "Shift+F10"},
    {Key::Alt, "Alt"},
    {Key::AltSpace, "Alt+Space"},
    {Key::ContextMenu, "the context-menu key"},
    {Key::CtrlA, "Ctrl+A"},
    {Key::CtrlC, "Ctrl+C"},
    {Key::CtrlV, "Ctrl+V"},
    {Key::CtrlX, "Ctrl+X"},
    {Key::CtrlZ, "Ctrl+Z"},
};

// The messages a press or an edit may show, besides the missing library's.
const std::set<std::u16string_view> kMessages = {
    texts::kLossProbabilityAtMostOne,
    texts::kCallsMissing,
    texts::kCallTimeMissing,
    texts::kOperatingTimeMissing,
    texts::kOperatingTimeInvalid,
    texts::kTrafficMissing,
    texts::kTrafficInvalid,
    texts::kLossProbabilityMissing,
    texts::kLossProbabilityInvalid,
    texts::kLinesMissing,
    texts::kLinesInvalid,
    texts::kCallTimeInvalid,
    texts::kNoAnswer,
};

int environment_number(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : fallback;
}

std::string shown(const std::u16string& text) {
    std::string ascii;
    for (const char16_t ch : text.substr(0, 12)) {
        ascii += ch >= 0x20 && ch < 0x7f ? static_cast<char>(ch) : '?';
    }
    return '"' + ascii + '"';
}

Control button_of(Control result) {
    return result == Control::Text5   ? Control::Command1
           : result == Control::Text8 ? Control::Command2
                                      : Control::Command3;
}

class Monkey {
  public:
    Monkey(Driver& driver, int seed) : driver_(driver) {
        random_.seed(static_cast<std::uint64_t>(seed));
    }

    // One random event; answers the control it acted on: the one clicked, or the one with the
    // focus when a key was pressed.
    Control act() {
        const Control focus = driver_.focused();
        const int kind = pick(100);
        if (kind < 30) {
            const std::vector<Control> shown_controls = clickable();
            const Control target = shown_controls[pick(static_cast<int>(shown_controls.size()))];
            note("click " + std::string(name_of(target)));
            driver_.click(target);
            return target;
        }
        if (kind < 55) {
            std::u16string text;
            for (int i = 1 + pick(3); i > 0; --i) {
                text += kTokens[pick(static_cast<int>(kTokens.size()))];
            }
            // A blank typed onto the close button presses it, as Space does.
            if (focus == Control::Command4) {
                std::erase(text, u' ');
            }
            note("type " + shown(text) + " into " + std::string(name_of(focus)));
            driver_.type(text);
        } else if (kind < 85) {
            const NamedKey& key = kKeys[pick(static_cast<int>(kKeys.size()))];
            note(std::string("key ") + key.name + " in " + std::string(name_of(focus)));
            // Enter and Space on the close button end the program, as they should.
            if (focus != Control::Command4 ||
                (key.key != Key::Enter && key.key != Key::KeypadEnter && key.key != Key::Space)) {
                driver_.press(key.key);
            }
        } else if (kind < 88) {
            const std::u16string token = kTokens[pick(static_cast<int>(kTokens.size()))];
            std::u16string text;
            for (const int length = 100 + pick(20'000); static_cast<int>(text.size()) < length;) {
                text += token;
            }
            note("paste " + std::to_string(text.size()) + " characters of " + shown(token) +
                 " into " + std::string(name_of(focus)));
            driver_.paste(text);
        } else if (kind < 96) {
            const int tab = pick(3);
            note("select tab " + std::to_string(tab + 1));
            driver_.select_tab(tab);
        } else if (kind < 98) {
            note("click the menu Help");
            driver_.open_menu();
        } else {
            const auto action = static_cast<AboutAction>(pick(14));
            note("about, then action " + std::to_string(static_cast<int>(action)));
            // A character, Esc, Enter, the platform's close, its button or its frame close it.
            const bool closes = action <= AboutAction::Enter ||
                                (action >= AboutAction::AltF4 && action <= AboutAction::FrameClick);
            EXPECT_EQ(driver_.about(action), closes)
                << "the about window, action " << static_cast<int>(action);
        }
        return focus;
    }

    std::string replay() const {
        std::string all;
        for (const std::string& event : events_) {
            all += "\n  " + event;
        }
        return all;
    }

  private:
    int pick(int count) { return static_cast<int>(random_() % static_cast<std::uint64_t>(count)); }

    void note(std::string event) {
        events_.push_back(std::move(event));
        if (events_.size() > 40) {
            events_.pop_front();
        }
    }

    // The controls of the shown page and of the window itself, but the close button.
    std::vector<Control> clickable() {
        const Control page = driver_.shown_page();
        std::vector<Control> found;
        for (const layout::Placement& placed : layout::main_window()) {
            const bool own = placed.container == Control::Pelmora_Main &&
                             placed.kind != layout::Kind::Frame &&
                             placed.kind != layout::Kind::StatusBar;
            if ((own || placed.container == page || placed.control == page) &&
                placed.control != Control::Command4) {
                found.push_back(placed.control);
            }
        }
        return found;
    }

    Driver& driver_;
    std::mt19937_64 random_;
    std::deque<std::string> events_;
};

// A text the page would write for a number: the number text of its own value, without the leading
// blank (pages 1 and 2) or padded to 256 characters (page 3).
bool is_shown_answer(const std::u16string& text, bool padded) {
    std::u16string number = text;
    if (padded) {
        if (text.size() != 256) {
            return false;
        }
        number.erase(number.find_last_not_of(u' ') + 1);
    }
    const std::string expected = number_text(box_value(number));
    const std::string written = padded || expected[0] == '-' ? expected : expected.substr(1);
    return std::u16string(written.begin(), written.end()) == number &&
           written.find("inf") == std::string::npos && written.find("nan") == std::string::npos;
}

// What is wrong after an event, if anything.
// `returns_to` is the control a menu that has the focus gives it back to.
std::string broken(Driver& driver, const std::map<Control, std::u16string>& before,
                   Control focus_before, Control returns_to, Control acted, std::size_t messages) {
    if (!driver.running()) {
        return "the program ended";
    }
    if (!driver.enabled()) {
        return "the main window stays disabled";
    }
    for (std::size_t i = messages; i < driver.messages().size(); ++i) {
        const RecordingMessageBoxes::Shown& message = driver.messages()[i];
        if (message.title != texts::kErrorTitle ||
            (kMessages.count(message.text) == 0 &&
             !message.text.starts_with(texts::kLibraryMissing))) {
            return "an unexpected message " + shown(message.text);
        }
    }
    if (driver.text(Control::Text3) != driver.text(Control::Text11) ||
        driver.text(Control::Text7) != driver.text(Control::Text9) ||
        driver.text(Control::Text8) != driver.text(Control::Text10)) {
        return "linked boxes differ";
    }
    if (box_value(driver.text(Control::Text7)) >= 1) {
        return "a loss probability of 1 or more stands";
    }
    const Control focus = driver.focused();
    for (const auto& [box, earlier] : before) {
        const std::u16string now = driver.text(box);
        const bool result =
            box == Control::Text5 || box == Control::Text8 || box == Control::Text12;
        // The user may type into a result box; a text typed into lines is handed to page 2.
        const bool typed_in =
            box == focus_before || box == focus ||
            (box == Control::Text8 && driver.text(Control::Text10) != before.at(Control::Text10));
        if (result && now != earlier && !typed_in &&
            // A click on a page's frame may land on its button.
            !((acted == button_of(box) ||
               acted == layout::placement_of(button_of(box)).container) &&
              is_shown_answer(now, box == Control::Text12))) {
            return std::string(name_of(box)) + " holds no answer";
        }
        const Control focus_here = focus == Control::Pelmora_Main ? returns_to : focus;
        if (box != focus_here && !now.empty() && !driver.shows_start(box)) {
            return std::string(name_of(box)) + " shows no start of " + shown(now) +
                   " (the focus in " + std::string(name_of(focus)) + ")";
        }
    }
    return {};
}

}  // namespace

void random_input(Driver& driver, int default_seed) {
    const int seed = environment_number("PELMORA_MONKEY_SEED", default_seed);
    const int count = environment_number("PELMORA_MONKEY_EVENTS", driver.random_events());
    Monkey monkey(driver, seed);
    Control returns_to = Control::Pelmora_Main;
    for (int event = 0; event < count; ++event) {
        std::map<Control, std::u16string> before;
        for (const layout::Placement& placed : layout::main_window()) {
            if (placed.kind == layout::Kind::TextBox) {
                before[placed.control] = driver.text(placed.control);
            }
        }
        const Control focus_before = driver.focused();
        if (focus_before != Control::Pelmora_Main) {
            returns_to = focus_before;
        }
        const std::size_t messages = driver.messages().size();
        const Control acted = monkey.act();
        const std::string what = broken(driver, before, focus_before, returns_to, acted, messages);
        if (!what.empty() || testing::Test::HasFailure()) {
            FAIL() << what << " (seed " << seed << ", event " << event + 1
                   << "; replay: PELMORA_MONKEY_SEED=" << seed
                   << " PELMORA_MONKEY_EVENTS=" << event + 1
                   << "); the last events:" << monkey.replay();
        }
    }
    std::printf("monkey seed %d: %d events, %zu message boxes\n", seed, count,
                driver.messages().size());
}

}  // namespace pelmora::conformance
