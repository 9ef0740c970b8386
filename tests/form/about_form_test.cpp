#include <gtest/gtest.h>

#include "form/main_form.h"

namespace {

using Button = pelmora::AboutForm::Button;

class CountingAboutWindow : public pelmora::AboutFrontEnd {
  public:
    void unload() override { ++unloads; }
    int unloads = 0;
};

struct Key {
    char16_t character;
    bool closes;
};

class AboutKeyTest : public testing::TestWithParam<Key> {};

TEST_P(AboutKeyTest, ClosesOnACharacterButNotOnTabOrDelete) {
    CountingAboutWindow window;
    pelmora::AboutForm form(window);
    form.Form_KeyPress(GetParam().character);
    EXPECT_EQ(window.unloads, GetParam().closes ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, AboutKeyTest,
                         testing::Values(Key{u'a', true}, Key{u'Q', true}, Key{u'7', true},
                                         Key{u'.', true}, Key{u' ', true}, Key{u'\r', true},
                                         Key{u'\x1b', true}, Key{u'\b', true}, Key{u'\x11', true},
                                         Key{u'あ', true}, Key{u'\t', false}, Key{u'\x7f', false}),
                         [](const auto& info) {
                             std::string name = "U";
                             name += std::to_string(int(info.param.character));
                             return name;
                         });

TEST(AboutClicks, OnlyTheButtonALeftClickOnTheFrameAndTheSystemsCloseClose) {
    CountingAboutWindow window;
    pelmora::AboutForm form(window);
    form.Frame1_Click(Button::Right);
    form.Frame1_Click(Button::Middle);
    EXPECT_EQ(window.unloads, 0);
    form.Frame1_Click(Button::Left);
    EXPECT_EQ(window.unloads, 1);
    form.Command1_Click();
    EXPECT_EQ(window.unloads, 2);
    form.Form_QueryUnload();
    EXPECT_EQ(window.unloads, 3);
}

}  // namespace
