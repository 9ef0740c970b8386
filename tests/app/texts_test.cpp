#include <gtest/gtest.h>

#include "common/texts.h"

namespace {

TEST(WaitText, BreaksItsThreeSentencesWithCarriageReturnLineFeeds) {
    EXPECT_EQ(pelmora::texts::wait_text(),
              "\r\n\r\n\r\nただいま計算しております\r\n\r\n少々お待ち下さい\r\n\r\n"
              "条件によっては、数分から数時間かかることもあります");
}

TEST(HelpText, ExistsOnlyForTheBoxesAndCalculateButtons) {
    for (const char* name : {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9",
                             "Text10", "Text11", "Text12", "Command1", "Command2", "Command3"}) {
        const auto help = pelmora::texts::help_text(name);
        ASSERT_TRUE(help.has_value()) << name;
        EXPECT_NE(help->find("\r\n\r\n"), std::string::npos) << name;
        EXPECT_NE(help->substr(help->size() - 2), "\r\n") << name;
    }
    for (const char* name : {"Text1", "Command4", "TabStrip1", "StatusBar1", "Label1", ""}) {
        EXPECT_FALSE(pelmora::texts::help_text(name).has_value()) << name;
    }
}

}  // namespace
