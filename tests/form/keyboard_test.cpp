#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form/layout.h"
#include "support/form_fixture.h"

namespace {

using pelmora::Control;

// Tab goes round each page's stops and those outside the pages by tab index, Shift+Tab the other
// way; a box reached so is selected whole with its start in view.
TEST_F(FormTest, TabGoesRoundThePageThatShows) {
    const std::vector<std::vector<Control>> rounds = {
        {Control::Text2, Control::Text3, Control::Text4, Control::Command1, Control::Text5,
         Control::TabStrip1, Control::Command4},
        {Control::TabStrip1, Control::Text6, Control::Text7, Control::Command2, Control::Text8,
         Control::Command4},
        {Control::TabStrip1, Control::Text9, Control::Text10, Control::Text11, Control::Command3,
         Control::Text12, Control::Command4}};
    for (std::size_t page = 0; page < rounds.size(); ++page) {
        form.TabStrip1_Click(pelmora::layout::tabs()[page].caption);
        const std::vector<Control>& round = rounds[page];
        window.focus(round[0]);
        for (std::size_t step = 0; step < 2 * round.size(); ++step) {
            const bool backward = step >= round.size();
            const std::size_t at = step % round.size();
            window.press_tab(backward);
            const Control expected =
                backward ? round[round.size() - 1 - at] : round[(at + 1) % round.size()];
            EXPECT_EQ(control_name(window.focused), control_name(expected))
                << "page " << page + 1 << ", step " << step;
            if (pelmora::layout::placement_of(expected).kind == pelmora::layout::Kind::TextBox) {
                EXPECT_EQ(window.selected, expected);
            }
        }
    }
}

// What each key does where the focus is, from the first page: whether the form takes it, and the
// page, the focus and the program's end after it.
TEST_F(FormTest, KeysMeanTheSameWhereverTheyArePressed) {
    using pelmora::input::Key;
    using pelmora::input::Modifiers;
    constexpr Modifiers none{};
    constexpr Modifiers shift{.shift = true};
    constexpr Modifiers ctrl{.ctrl = true};
    constexpr Modifiers ctrl_shift{.shift = true, .ctrl = true};
    constexpr Modifiers ctrl_alt{.ctrl = true, .alt = true};
    constexpr Modifiers alt{.alt = true};
    struct Row {
        Control focused;
        Key key;
        Modifiers with;
        bool repeat;
        bool taken;
        Control page;
        Control focus;
        bool ends = false;
    };
    const Control T2 = Control::Text2;
    const Control strip = Control::TabStrip1;
    const Control close = Control::Command4;
    const Row rows[] = {
        {T2, Key::Tab, ctrl, false, true, Control::Frame2, Control::Text6},
        {T2, Key::PageDown, ctrl, false, true, Control::Frame2, Control::Text6},
        {T2, Key::PageDown, ctrl_shift, false, true, Control::Frame2, Control::Text6},
        {T2, Key::Tab, ctrl_shift, false, true, Control::Frame3, Control::Text9},
        {T2, Key::PageUp, ctrl, false, true, Control::Frame3, Control::Text9},
        {T2, Key::PageUp, ctrl_shift, false, true, Control::Frame3, Control::Text9},
        {T2, Key::Tab, ctrl_alt, false, true, Control::Frame1, T2},
        {T2, Key::Tab, alt, false, true, Control::Frame1, T2},
        {T2, Key::PageDown, ctrl_alt, false, false, Control::Frame1, T2},
        {T2, Key::PageDown, none, false, false, Control::Frame1, T2},
        {T2, Key::Enter, none, false, true, Control::Frame1, Control::Text3},
        {T2, Key::Enter, shift, false, true, Control::Frame1, Control::Text3},
        {T2, Key::Enter, none, true, true, Control::Frame1, Control::Text3},
        {T2, Key::Enter, ctrl, false, true, Control::Frame1, T2},
        {T2, Key::Enter, alt, false, true, Control::Frame1, T2},
        {T2, Key::Escape, none, false, true, Control::Frame1, T2},
        {T2, Key::Right, none, false, false, Control::Frame1, T2},
        {close, Key::Enter, shift, false, true, Control::Frame1, close, true},
        {close, Key::Enter, none, true, true, Control::Frame1, close},
        {close, Key::Enter, ctrl, false, true, Control::Frame1, close},
        {close, Key::Escape, none, false, false, Control::Frame1, close},
        {strip, Key::Right, none, false, true, Control::Frame2, Control::Text6},
        {strip, Key::Down, none, false, true, Control::Frame2, Control::Text6},
        {strip, Key::End, none, false, true, Control::Frame3, Control::Text9},
        {strip, Key::Left, none, false, true, Control::Frame1, strip},
        {strip, Key::Home, shift, false, true, Control::Frame1, strip},
        {strip, Key::Right, ctrl, false, true, Control::Frame1, strip},
        {strip, Key::Enter, none, false, false, Control::Frame1, strip},
    };
    for (const Row& row : rows) {
        form.Form_Load();
        window.focus(row.focused);
        window.take_log();
        const pelmora::input::KeyDown key{row.key, row.with, row.repeat};
        const auto row_name = control_name(row.focused) + " key " +
                              std::to_string(static_cast<int>(row.key)) +
                              (row.with.shift ? " shift" : "") + (row.with.ctrl ? " ctrl" : "") +
                              (row.with.alt ? " alt" : "") + (row.repeat ? " repeat" : "");
        EXPECT_EQ(window.press(key), row.taken) << row_name;
        EXPECT_EQ(control_name(window.page), control_name(row.page)) << row_name;
        EXPECT_EQ(control_name(window.focused), control_name(row.focus)) << row_name;
        const auto log = window.take_log();
        EXPECT_EQ(std::find(log.begin(), log.end(), "end") != log.end(), row.ends) << row_name;
    }
}

// A carriage return typed as a character alone is Enter; it and a line feed are no text.
TEST_F(FormTest, EnterAndLineFeedAreNoText) {
    for (const Control control : {Control::Text2, Control::Text1, Control::Command1}) {
        EXPECT_TRUE(form.Character(control, u'\n')) << control_name(control);
        EXPECT_FALSE(form.Character(control, u'a')) << control_name(control);
    }
    EXPECT_FALSE(form.Character(Control::TabStrip1, u'\r'));
    window.focus(Control::Text2);
    EXPECT_TRUE(form.Character(Control::Text2, u'\r'));
    EXPECT_EQ(control_name(window.focused), control_name(Control::Text3));
}

// A box shows the start of its text once the focus has left it, and whenever the program has
// written it, the focus in it or not.
TEST_F(FormTest, BoxesShowTheStartOfTheirText) {
    const auto at_start = [&](Control box) {
        return window.at_start[static_cast<std::size_t>(index_of(box))];
    };
    window.type(Control::Text3, u"180");
    EXPECT_FALSE(at_start(Control::Text3));
    EXPECT_TRUE(at_start(Control::Text11));
    window.focus(Control::Text4);
    EXPECT_TRUE(at_start(Control::Text3));
    // Through the menu bar: back to the box, then on to another control.
    window.type(Control::Text2, u"240");
    form.FocusLeft(Control::Text2, pelmora::input::FocusTarget::Menu);
    form.GotFocus(Control::Text2);
    EXPECT_FALSE(at_start(Control::Text2));
    form.FocusLeft(Control::Text2, pelmora::input::FocusTarget::Menu);
    form.GotFocus(Control::Text6);
    EXPECT_TRUE(at_start(Control::Text2));
    form.FocusLeft(Control::Text6, pelmora::input::FocusTarget::Menu);
    form.GotFocus(Control::Pelmora_Main);
    EXPECT_EQ(window.focused, Control::Text6);
}

}  // namespace
