#include <gtest/gtest.h>

#include <set>

#include "form/texts.h"

namespace {

using pelmora::Control;

TEST(WaitText, BreaksItsThreeSentencesWithCarriageReturnLineFeeds) {
    EXPECT_EQ(pelmora::texts::wait_text(),
              u"\r\n\r\n\r\nただいま計算しております\r\n\r\n少々お待ち下さい\r\n\r\n"
              u"条件によっては、数分から数時間かかることもあります");
}

TEST(HelpText, ExistsOnlyForTheBoxesAndCalculateButtons) {
    const std::set<Control> helped = {
        Control::Text2,  Control::Text3,    Control::Text4,    Control::Text5,   Control::Text6,
        Control::Text7,  Control::Text8,    Control::Text9,    Control::Text10,  Control::Text11,
        Control::Text12, Control::Command1, Control::Command2, Control::Command3};
    for (int i = 0; i < pelmora::kControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        const auto help = pelmora::texts::help_text(control);
        ASSERT_EQ(help.has_value(), helped.count(control) == 1) << pelmora::name_of(control);
        if (help) {
            EXPECT_NE(help->find(u"\r\n\r\n"), std::u16string::npos) << pelmora::name_of(control);
            EXPECT_NE(help->substr(help->size() - 2), u"\r\n") << pelmora::name_of(control);
        }
    }
}

}  // namespace
