#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "form/layout.h"
#include "form/texts.h"

namespace {

using pelmora::Control;
namespace layout = pelmora::layout;

layout::Twips size_of(Control container) {
    return container == Control::Pelmora_Main ? layout::kMainClientArea
                                              : layout::placement_of(container).at;
}

// A slip in the stored table shows as a control outside its container or a tab index used twice.
TEST(Layout, EveryControlLiesInsideItsContainerWithItsOwnTabIndex) {
    std::set<int> tab_indices;
    for (const layout::Placement& placed : layout::main_window()) {
        const layout::Twips outer = size_of(placed.container);
        const std::string name(pelmora::name_of(placed.control));
        EXPECT_GE(placed.at.left, 0) << name;
        EXPECT_GE(placed.at.top, 0) << name;
        EXPECT_LE(placed.at.left + placed.at.width, outer.width) << name;
        EXPECT_LE(placed.at.top + placed.at.height, outer.height) << name;
        EXPECT_TRUE(tab_indices.insert(placed.tab_index).second) << name;
        EXPECT_EQ(&layout::placement_of(placed.control), &placed) << name;
    }
    for (const layout::AboutPlacement& placed : layout::about_window()) {
        const layout::Twips outer = placed.control == layout::AboutControl::Frame1
                                        ? layout::kAboutClientArea
                                        : layout::about_window()[0].at;
        EXPECT_LE(placed.at.left + placed.at.width, outer.width) << placed.name;
        EXPECT_LE(placed.at.top + placed.at.height, outer.height) << placed.name;
    }
}

// The keyboard order of a page: the stops that stand on it or outside the frames.
std::vector<std::string> tab_order(Control page) {
    std::vector<std::string> names;
    for (const Control stop : layout::keyboard_order()) {
        const Control container = layout::placement_of(stop).container;
        if (container == page || container == Control::Pelmora_Main) {
            names.emplace_back(pelmora::name_of(stop));
        }
    }
    return names;
}

TEST(Layout, TabIndicesGiveEachPagesKeyboardOrder) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(tab_order(Control::Frame1),
              (Names{"Text2", "Text3", "Text4", "Command1", "Text5", "TabStrip1", "Command4"}));
    EXPECT_EQ(tab_order(Control::Frame2),
              (Names{"TabStrip1", "Text6", "Text7", "Command2", "Text8", "Command4"}));
    EXPECT_EQ(tab_order(Control::Frame3),
              (Names{"TabStrip1", "Text9", "Text10", "Text11", "Command3", "Text12", "Command4"}));
}

TEST(ScreenReaderName, IsTheLabelsCaptionWithoutTheColon) {
    EXPECT_EQ(pelmora::texts::screen_reader_name(Control::Text2), u"呼数");
    EXPECT_EQ(pelmora::texts::screen_reader_name(Control::Text4), u"１日の稼働時間");
    EXPECT_EQ(pelmora::texts::screen_reader_name(Control::Text6), u"呼量 （ｱｰﾗﾝ）");
    EXPECT_EQ(pelmora::texts::screen_reader_name(Control::Text12), u"処理可能呼数");
    EXPECT_EQ(pelmora::texts::screen_reader_name(Control::Command1), u"");
}

}  // namespace
