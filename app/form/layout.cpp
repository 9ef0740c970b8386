#include "form/layout.h"

#include <algorithm>
#include <array>

namespace pelmora::layout {

namespace {

constexpr Font kBoxFont{14.25, true};
constexpr Font kLabelFont{12, false};
constexpr Font kHelpFont{11.25, false};
constexpr Font kDefaultFont{};

using enum Control;

// clang-format off
constexpr std::array kMainWindow = {
    Placement{TabStrip1, Kind::TabStrip, Pelmora_Main, {120, 120, 8295, 4455}, 6, u"", kDefaultFont},
    Placement{Frame1, Kind::Frame, Pelmora_Main, {240, 600, 5055, 3855}, 7, u"アーラン の 計算", kDefaultFont},
    Placement{Frame2, Kind::Frame, Pelmora_Main, {240, 600, 5055, 3855}, 13, u"必要回線数 の 計算", kDefaultFont},
    Placement{Frame3, Kind::Frame, Pelmora_Main, {240, 600, 5055, 3855}, 21, u"処理可能アクセス数 の 計算", kDefaultFont},
    Placement{Text1, Kind::HelpPanel, Pelmora_Main, {5400, 720, 2775, 3735}, 9, u"", kHelpFont},
    Placement{Command4, Kind::Button, Pelmora_Main, {3000, 4680, 2535, 495}, 31, u"閉じる", kDefaultFont},
    Placement{Label1, Kind::Label, Frame1, {240, 480, 2055, 255}, 8, u"呼数 ：", kLabelFont, Align::Right},
    Placement{Text2, Kind::TextBox, Frame1, {2520, 360, 2415, 375}, 1, u"", kBoxFont},
    Placement{Label2, Kind::Label, Frame1, {240, 960, 2055, 375}, 10, u"平均通話時間 ：", kLabelFont, Align::Right},
    Placement{Text3, Kind::TextBox, Frame1, {2520, 840, 2415, 375}, 2, u"", kBoxFont},
    Placement{Label3, Kind::Label, Frame1, {120, 1440, 2175, 255}, 11, u"１日の稼働時間：", kLabelFont, Align::Right},
    Placement{Text4, Kind::TextBox, Frame1, {2520, 1320, 2415, 375}, 3, u"", kBoxFont},
    Placement{Command1, Kind::Button, Frame1, {1560, 1920, 1695, 495}, 4, u"↓ 呼量計算", kDefaultFont},
    Placement{Label4, Kind::Label, Frame1, {240, 2760, 2055, 255}, 12, u"呼量 （ｱｰﾗﾝ）：", kLabelFont, Align::Right},
    Placement{Text5, Kind::TextBox, Frame1, {2520, 2640, 2415, 375}, 5, u"", kBoxFont},
    Placement{Label5, Kind::Label, Frame2, {240, 480, 2055, 255}, 14, u"呼量 （ｱｰﾗﾝ） ：", kLabelFont, Align::Right},
    Placement{Text6, Kind::TextBox, Frame2, {2520, 360, 2415, 375}, 15, u"", kBoxFont},
    Placement{Label6, Kind::Label, Frame2, {120, 960, 2175, 255}, 19, u"呼損率 ：", kLabelFont, Align::Right},
    Placement{Text7, Kind::TextBox, Frame2, {2520, 840, 2415, 375}, 16, u"", kBoxFont},
    Placement{Command2, Kind::Button, Frame2, {1680, 1560, 1695, 495}, 17, u"↓ 必要回線数計算", kDefaultFont},
    Placement{Label7, Kind::Label, Frame2, {240, 2520, 2055, 255}, 20, u"必要回線数 ：", kLabelFont, Align::Right},
    Placement{Text8, Kind::TextBox, Frame2, {2520, 2400, 2415, 375}, 18, u"", kBoxFont},
    Placement{Label8, Kind::Label, Frame3, {120, 480, 2175, 255}, 22, u"呼損率 ：", kLabelFont, Align::Right},
    Placement{Text9, Kind::TextBox, Frame3, {2520, 360, 2415, 375}, 23, u"", kBoxFont},
    Placement{Label9, Kind::Label, Frame3, {240, 960, 2055, 255}, 28, u"必要回線数 ：", kLabelFont, Align::Right},
    Placement{Text10, Kind::TextBox, Frame3, {2520, 840, 2415, 390}, 24, u"", kBoxFont},
    Placement{Label10, Kind::Label, Frame3, {120, 1440, 2175, 375}, 29, u"平均通話時間 ：", kLabelFont, Align::Right},
    Placement{Text11, Kind::TextBox, Frame3, {2520, 1320, 2415, 390}, 25, u"", kBoxFont},
    Placement{Command3, Kind::Button, Frame3, {1200, 2040, 3135, 495}, 26, u"↓ １時間当たりの処理可能呼数", kDefaultFont},
    Placement{Label11, Kind::Label, Frame3, {120, 3000, 2295, 375}, 30, u"処理可能呼数 ：", kLabelFont, Align::Right},
    Placement{Text12, Kind::TextBox, Frame3, {2520, 2880, 2415, 375}, 27, u"", kBoxFont},
    Placement{StatusBar1, Kind::StatusBar, Pelmora_Main, {0, 5205, 8535, 375}, 0, u"", kDefaultFont},
};
// clang-format on

constexpr bool in_creation_order() {
    for (std::size_t i = 0; i < kMainWindow.size(); ++i) {
        if (index_of(kMainWindow[i].control) != static_cast<int>(i) + 1) {
            return false;
        }
    }
    return kMainWindow.size() + 1 == kControlCount;
}
static_assert(in_creation_order(), "placement_of looks a control up by its place in the table");

constexpr std::array kTabs = {
    Tab{u"アーラン", u"呼損率の計算を行います"},
    Tab{u"必要回線数", u"コール数から必要回線数を計算します"},
    Tab{u"処理可能呼数", u"回線数から処理可能呼数を計算します"},
};

constexpr std::array kStatusPanels = {
    StatusPanel{PanelContent::Empty, Align::Left, true, 0, 1440},
    StatusPanel{PanelContent::Empty, Align::Left, false, 1000, 1000},
    StatusPanel{PanelContent::Date, Align::Centre, false, 0, 1000},
    StatusPanel{PanelContent::Time, Align::Centre, false, 0, 800},
};

constexpr Font kAboutDefaultFont{};
constexpr Rgb kMakerBlue{0, 0, 192};
constexpr Rgb kProductBlue{0, 0, 255};

// The texts that name the product and its maker.
// clang-format off
constexpr std::array kAboutWindow = {
    AboutPlacement{AboutControl::Frame1, "Frame1", Kind::Frame, {150, 60, 7080, 4275}, u"", kAboutDefaultFont, Align::Left, false, std::nullopt},
    AboutPlacement{AboutControl::lblCompanyProduct, "lblCompanyProduct", Kind::Label, {240, 705, 1530, 360}, u"空巡通信の", {18, true}, Align::Left, true, kMakerBlue},
    AboutPlacement{AboutControl::lblProductName, "lblProductName", Kind::Label, {480, 1320, 5775, 645}, u"Pelmora", {32.25, true}, Align::Centre, true, kProductBlue},
    AboutPlacement{AboutControl::lblPlatform, "lblPlatform", Kind::Label, {3330, 2340, 3525, 285}, u"Windows Me/NT/XP/2000", {14.25, true}, Align::Right, true, std::nullopt},
    AboutPlacement{AboutControl::lblVersion, "lblVersion", Kind::Label, {5970, 2700, 885, 285}, u"ﾊﾞｰｼﾞｮﾝ", {12, true}, Align::Right, true, std::nullopt},
    AboutPlacement{AboutControl::Command1, "Command1", Kind::Button, {600, 2520, 2055, 615}, u"閉じる", kAboutDefaultFont, Align::Left, false, std::nullopt},
    AboutPlacement{AboutControl::lblCopyright, "lblCopyright", Kind::Label, {4560, 3060, 2415, 255}, u"© 2004 空巡通信", kAboutDefaultFont, Align::Left, false, std::nullopt},
    AboutPlacement{AboutControl::lblCompany, "lblCompany", Kind::Label, {4320, 3315, 2655, 255}, u"空巡通信株式会社", kAboutDefaultFont, Align::Left, false, std::nullopt},
    AboutPlacement{AboutControl::lblWarning, "lblWarning", Kind::Label, {150, 3660, 6855, 195}, u"System version 4.00 release 2", kAboutDefaultFont, Align::Left, false, std::nullopt},
    AboutPlacement{AboutControl::Label1, "Label1", Kind::Label, {120, 3960, 6855, 255}, u"ご意見・ご感想などは pelmora@example.jp まで。", kAboutDefaultFont, Align::Left, false, std::nullopt},
};
// clang-format on

struct Labelled {
    Control label;
    Control box;
};

constexpr std::array kLabels = {
    Labelled{Label1, Text2},   Labelled{Label2, Text3},   Labelled{Label3, Text4},
    Labelled{Label4, Text5},   Labelled{Label5, Text6},   Labelled{Label6, Text7},
    Labelled{Label7, Text8},   Labelled{Label8, Text9},   Labelled{Label9, Text10},
    Labelled{Label10, Text11}, Labelled{Label11, Text12},
};

}  // namespace

std::span<const Placement> main_window() {
    return kMainWindow;
}

const Placement& placement_of(Control control) {
    return kMainWindow[index_of(control) - 1];
}

std::vector<Control> keyboard_order() {
    std::vector<const Placement*> stops;
    for (const Placement& placed : kMainWindow) {
        if (placed.kind == Kind::TextBox || placed.kind == Kind::Button ||
            placed.kind == Kind::TabStrip) {
            stops.push_back(&placed);
        }
    }
    std::sort(stops.begin(), stops.end(),
              [](const auto* a, const auto* b) { return a->tab_index < b->tab_index; });
    std::vector<Control> order;
    for (const Placement* stop : stops) {
        order.push_back(stop->control);
    }
    return order;
}

std::optional<Control> label_of(Control box) {
    for (const Labelled& each : kLabels) {
        if (each.box == box) {
            return each.label;
        }
    }
    return std::nullopt;
}

std::span<const Tab> tabs() {
    return kTabs;
}

std::span<const StatusPanel> status_panels() {
    return kStatusPanels;
}

std::span<const AboutPlacement> about_window() {
    return kAboutWindow;
}

}  // namespace pelmora::layout
