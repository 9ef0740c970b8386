#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/form_fixture.h"

namespace {

using pelmora::Control;
using Log = std::vector<std::string>;

TEST_F(FormTest, StartUpEmptiesEveryBoxInOrderWithTheLinkedCopiesNested) {
    for (auto& each : window.texts) {
        each = u"0.5";
    }
    window.focused = Control::Pelmora_Main;
    form.Form_Load();
    for (int i = index_of(Control::Text2); i <= index_of(Control::Text12); ++i) {
        EXPECT_EQ(window.texts[static_cast<std::size_t>(i)].empty(),
                  pelmora::name_of(Control(i)).starts_with("Text"))
            << pelmora::name_of(Control(i));
    }
    // Each box is emptied in turn; a linked box's copy into its twin runs inside that write, and
    // the twin's own turn later is no change.
    EXPECT_EQ(window.take_log(),
              (Log{"write Text1", "write Text2", "write Text3", "write Text11", "write Text4",
                   "write Text5", "write Text6", "write Text7", "write Text9", "write Text8",
                   "write Text10", "write Text12", "page Frame1", "focus Text2", "write Text1"}));
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(window.focused, Control::Text2);
    EXPECT_EQ(text(Control::Text1), help(Control::Text2));
}

struct PageSwitch {
    const char16_t* caption;
    Control frame;
    Control first_box;
};

class PageSwitchTest : public FormTest, public testing::WithParamInterface<PageSwitch> {};

TEST_P(PageSwitchTest, ShowsTheTabsPageWithTheFirstBoxsHelp) {
    const PageSwitch page = GetParam();
    window.focus(Control::Command4);
    text(Control::Text1) = u"earlier help";
    text(Control::Text2) = u"240";
    text(Control::Text6) = u"10";
    form.TabStrip1_Click(page.caption);
    EXPECT_EQ(window.take_log(), (Log{"write Text1", "page " + control_name(page.frame),
                                      "focus " + control_name(page.first_box), "write Text1"}));
    EXPECT_EQ(window.page, page.frame);
    EXPECT_EQ(window.focused, page.first_box);
    EXPECT_EQ(text(Control::Text1), help(page.first_box));
    EXPECT_EQ(text(Control::Text2), u"240");
    EXPECT_EQ(text(Control::Text6), u"10");
}

INSTANTIATE_TEST_SUITE_P(Tabs, PageSwitchTest,
                         testing::Values(PageSwitch{u"アーラン", Control::Frame1, Control::Text2},
                                         PageSwitch{u"必要回線数", Control::Frame2, Control::Text6},
                                         PageSwitch{u"処理可能呼数", Control::Frame3,
                                                    Control::Text9}),
                         [](const auto& info) { return control_name(info.param.frame); });

// The captions are compared exactly; any other only empties the help panel.
TEST_F(FormTest, AnotherCaptionOnlyEmptiesTheHelpPanel) {
    window.focus(Control::Text3);
    for (const char16_t* caption : {u"", u"アーラン ", u"必要回線", u"Erlang"}) {
        text(Control::Text1) = help(Control::Text3);
        window.take_log();
        form.TabStrip1_Click(caption);
        EXPECT_EQ(window.take_log(), Log{"write Text1"});
        EXPECT_EQ(text(Control::Text1), u"");
        EXPECT_EQ(window.page, Control::Frame1);
        EXPECT_EQ(window.focused, Control::Text3);
    }
}

// The first box already has the focus: the help panel stays empty, as no focus arrives.
TEST_F(FormTest, SelectingTheShownTabAgainIsHarmless) {
    form.TabStrip1_Click(u"アーラン");
    EXPECT_EQ(window.take_log(), (Log{"write Text1", "page Frame1", "focus Text2"}));
}

TEST_F(FormTest, CloseButtonEndsTheProgramWithoutAQuestion) {
    text(Control::Text5) = u"1.5";
    window.click(Control::Command4);
    EXPECT_EQ(window.take_log(), Log{"end"});
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(FormTest, AboutOpensTheAboutWindowAndChangesNothing) {
    form.about_Click();
    EXPECT_EQ(window.take_log(), Log{"about"});
}

}  // namespace
