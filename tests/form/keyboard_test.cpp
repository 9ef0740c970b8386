#include <gtest/gtest.h>

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

TEST_F(FormTest, PageKeysGoRoundTheTabs) {
    for (const auto& [backward, page] : {std::pair{false, Control::Frame2},
                                         {false, Control::Frame3},
                                         {false, Control::Frame1},
                                         {true, Control::Frame3}}) {
        form.PageKey_KeyDown(backward);
        EXPECT_EQ(control_name(window.page), control_name(page));
    }
}

TEST_F(FormTest, EnterOnAButtonPressesIt) {
    window.focus(Control::Command4);
    window.take_log();
    form.KeyPress(Control::Command4, u'a');
    EXPECT_TRUE(window.take_log().empty());
    form.KeyPress(Control::Command4, u'\r');
    EXPECT_EQ(window.take_log(), std::vector<std::string>{"end"});
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
}

}  // namespace
