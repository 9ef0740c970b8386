#ifndef PELMORA_TESTS_CONFORMANCE_SCENARIO_H
#define PELMORA_TESTS_CONFORMANCE_SCENARIO_H

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/controls.h"

// What a user does to the main window and what must show afterwards, written once and run on every
// front end: each toolkit's driver carries the steps out as real input to its real window.
namespace pelmora::conformance {

// Keys as a keyboard gives them. A held Enter is a press and its repeat.
// clang-format off
enum class Key {
    Enter, KeypadEnter, ShiftEnter, CtrlEnter, AltEnter, HeldEnter, Space, Tab, ShiftTab, Esc,
    ShiftKeypadEnter, CtrlKeypadEnter, CtrlTab, CtrlShiftTab, CtrlPageDown, CtrlPageUp,
    CtrlShiftPageDown, CtrlShiftPageUp, CtrlAltTab, CtrlAltPageDown, AltF4, Home, End, Left, Right,
    Up, Down, Backspace, Delete, F1, F10, ShiftF10, Alt, AltSpace, ContextMenu, CtrlA, CtrlC,
    CtrlV, CtrlX, CtrlZ, CtrlSpace
};
// clang-format on

// What the user does to the about window once it is open. Alt+F4 and "End task" are the window
// system's requests to close.
// clang-format off
enum class AboutAction {
    Character, Esc, Enter, Tab, Delete, Arrow, AltF4, EndTask, Button, FrameClick,
    RightClickOnFrame, MiddleClickOnFrame, ClickOnName, ClickOnTheStripAroundTheFrame
};
// clang-format on

struct Step {
    enum class Act { Click, Type, Press, SelectTab, About, Compose, Commit };
    Act act;
    Control control = Control::Pelmora_Main;
    std::u16string text;
    Key key = Key::Enter;
    int tab = 0;
    AboutAction action = AboutAction::Character;
    // For the about window: whether the action closes it.
    bool closes = true;
};

struct Expected {
    std::vector<std::pair<Control, std::u16string>> texts;
    std::vector<std::pair<Control, Mark>> marks;
    std::optional<Control> focus;
    // The frame of the page that shows.
    std::optional<Control> page;
    // The texts of the message boxes shown, in order; each has the error title.
    std::vector<std::u16string> messages;
    bool running = true;
    // Boxes that show the start of their text.
    std::vector<Control> showing_start;
};

struct Scenario {
    std::string name;
    std::vector<Step> steps;
    Expected expected;
};

const std::vector<Scenario>& scenarios();

}  // namespace pelmora::conformance

#endif
