#include "form/texts.h"

#include <array>

#include "form/layout.h"

namespace pelmora::texts {

namespace {

constexpr std::u16string_view kLossProbabilityHelp =
    u"呼損率を入力します。\r\n呼損率の値は１以下で入力してください";

struct HelpEntry {
    Control control;
    std::u16string_view heading;
    std::u16string_view description;
};

// clang-format off
constexpr std::array kHelp = {
    HelpEntry{Control::Text2, u"呼数",
              u"「１日の稼動時間」で示される時間内に処理した呼の回数（呼数）を入力します"},
    HelpEntry{Control::Text3, u"平均通話時間",
              u"１アクセス当たりの平均処理時間（通話時間）を入力します"},
    HelpEntry{Control::Text4, u"１日の稼働時間",
              u"１日の稼働時間を時間単位に入力します"},
    HelpEntry{Control::Text5, u"呼量",
              u"アーランＢ式に基いた計算結果（呼量）です"},
    HelpEntry{Control::Text6, u"呼量",
              u"アーランの値を入力します"},
    HelpEntry{Control::Text7, u"呼損率",
              kLossProbabilityHelp},
    HelpEntry{Control::Text8, u"必要回線数",
              u"回線／ポートなどの数です"},
    HelpEntry{Control::Text9, u"呼損率",
              kLossProbabilityHelp},
    HelpEntry{Control::Text10, u"必要回線数",
              u"回線／ポートなどの数を入力します"},
    HelpEntry{Control::Text11, u"平均通話時間",
              u"平均通話時間を分単位で入力してください"},
    HelpEntry{Control::Text12, u"処理可能呼数",
              u"１時間で処理可能な呼数です"},
    HelpEntry{Control::Command1, u"呼量の計算",
              u"呼量（アーランＢ）を計算します"},
    HelpEntry{Control::Command2, u"必要回線数の計算",
              u"必要回線数を計算します"},
    HelpEntry{Control::Command3, u"処理可能呼数",
              u"指定された条件での、１時間当たりの処理可能呼数を計算します"},
};
// clang-format on

bool trails_caption(char16_t c) {
    return c == u'：' || c == u':' || c == u' ' || c == u'\u3000';
}

}  // namespace

std::optional<std::u16string> help_text(Control control) {
    for (const HelpEntry& entry : kHelp) {
        if (entry.control == control) {
            std::u16string text(entry.heading);
            text += kLineBreak;
            text += kLineBreak;
            text += entry.description;
            return text;
        }
    }
    return std::nullopt;
}

std::u16string wait_text() {
    std::u16string text;
    for (int i = 0; i < 3; ++i) {
        text += kLineBreak;
    }
    text += u"ただいま計算しております";
    text += kLineBreak;
    text += kLineBreak;
    text += u"少々お待ち下さい";
    text += kLineBreak;
    text += kLineBreak;
    text += u"条件によっては、数分から数時間かかることもあります";
    return text;
}

std::u16string screen_reader_name(Control box) {
    const auto label = layout::label_of(box);
    if (!label) {
        return {};
    }
    std::u16string_view caption = layout::placement_of(*label).caption;
    while (!caption.empty() && trails_caption(caption.back())) {
        caption.remove_suffix(1);
    }
    return std::u16string(caption);
}

}  // namespace pelmora::texts
