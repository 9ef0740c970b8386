#ifndef PELMORA_FORM_TEXTS_H
#define PELMORA_FORM_TEXTS_H

#include <optional>
#include <string>
#include <string_view>

#include "form/controls.h"

// The texts the program shows, character for character (full-width forms and CR LF line breaks
// included). Captions stand with the layout.
namespace pelmora::texts {

inline constexpr std::u16string_view kLineBreak = u"\r\n";

// The help text of a box or calculate button (Text2 ... Text12, Command1 ... Command3): heading,
// a line break and an empty line, description. nullopt for every other control.
std::optional<std::u16string> help_text(Control control);

// The notice in the help panel while an engine search runs.
std::u16string wait_text();

// What a screen reader announces a box by: its label's caption without the colon and the blanks
// before it ("呼数 ：" is read "呼数"). Empty for a control without a label.
std::u16string screen_reader_name(Control box);

inline constexpr std::u16string_view kHelpPanelName = u"ヘルプ";

inline constexpr std::u16string_view kErrorTitle = u"Error";

// The refusal of a loss probability of 1 or more.
inline constexpr std::u16string_view kLossProbabilityAtMostOne =
    u"呼損率の値は１以下で入力してください";

// The messages of the checks of the three calculate buttons.
inline constexpr std::u16string_view kCallsMissing = u"呼数を入力して下さい";
inline constexpr std::u16string_view kCallTimeMissing = u"平均通話時間を入力して下さい";
inline constexpr std::u16string_view kOperatingTimeMissing = u"一日の稼働時間を入力して下さい";
inline constexpr std::u16string_view kOperatingTimeInvalid =
    u"一日の稼働時間を時間単位で０以上を入力して下さい";
inline constexpr std::u16string_view kTrafficMissing = u"呼量を入力して下さい";
inline constexpr std::u16string_view kTrafficInvalid = u"呼量を０以上で正しく入力して下さい";
inline constexpr std::u16string_view kLossProbabilityMissing = u"呼損率を入力して下さい";
inline constexpr std::u16string_view kLossProbabilityInvalid =
    u"呼損率を０以上で正しく入力して下さい";
inline constexpr std::u16string_view kLinesMissing = u"必要回線数を入力して下さい";
inline constexpr std::u16string_view kLinesInvalid = u"必要回線数を０以上で正しく入力して下さい";
inline constexpr std::u16string_view kCallTimeInvalid =
    u"平均通話時間を０以上で正しく入力して下さい";

// A calculation without an answer for its inputs, and an engine library that could not be bound
// (followed by a line break and the loader's reason).
inline constexpr std::u16string_view kNoAnswer =
    u"この条件では計算できません。入力値を見直してください";
inline constexpr std::u16string_view kLibraryMissing =
    u"計算ライブラリ vantrel を読み込めませんでした";

}  // namespace pelmora::texts

#endif
