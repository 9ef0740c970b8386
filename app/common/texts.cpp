#include "texts.h"

#include <array>

namespace pelmora::texts {

namespace {

constexpr std::string_view kLossProbabilityHelp =
    "呼損率を入力します。\r\n呼損率の値は１以下で入力してください";

struct HelpEntry {
    std::string_view control;
    std::string_view heading;
    std::string_view description;
};

// clang-format off
constexpr std::array kHelp = {
    HelpEntry{"Text2", "呼数",
              "「１日の稼動時間」で示される時間内に処理した呼の回数（呼数）を入力します"},
    HelpEntry{"Text3", "平均通話時間",
              "１アクセス当たりの平均処理時間（通話時間）を入力します"},
    HelpEntry{"Text4", "１日の稼働時間",
              "１日の稼働時間を時間単位に入力します"},
    HelpEntry{"Text5", "呼量",
              "アーランＢ式に基いた計算結果（呼量）です"},
    HelpEntry{"Text6", "呼量",
              "アーランの値を入力します"},
    HelpEntry{"Text7", "呼損率",
              kLossProbabilityHelp},
    HelpEntry{"Text8", "必要回線数",
              "回線／ポートなどの数です"},
    HelpEntry{"Text9", "呼損率",
              kLossProbabilityHelp},
    HelpEntry{"Text10", "必要回線数",
              "回線／ポートなどの数を入力します"},
    HelpEntry{"Text11", "平均通話時間",
              "平均通話時間を分単位で入力してください"},
    HelpEntry{"Text12", "処理可能呼数",
              "１時間で処理可能な呼数です"},
    HelpEntry{"Command1", "呼量の計算",
              "呼量（アーランＢ）を計算します"},
    HelpEntry{"Command2", "必要回線数の計算",
              "必要回線数を計算します"},
    HelpEntry{"Command3", "処理可能呼数",
              "指定された条件での、１時間当たりの処理可能呼数を計算します"},
};
// clang-format on

}  // namespace

std::optional<std::string> help_text(std::string_view control) {
    for (const HelpEntry& entry : kHelp) {
        if (entry.control == control) {
            std::string text(entry.heading);
            text += kLineBreak;
            text += kLineBreak;
            text += entry.description;
            return text;
        }
    }
    return std::nullopt;
}

std::string wait_text() {
    std::string text;
    for (int i = 0; i < 3; ++i) {
        text += kLineBreak;
    }
    text += "ただいま計算しております";
    text += kLineBreak;
    text += kLineBreak;
    text += "少々お待ち下さい";
    text += kLineBreak;
    text += kLineBreak;
    text += "条件によっては、数分から数時間かかることもあります";
    return text;
}

}  // namespace pelmora::texts
