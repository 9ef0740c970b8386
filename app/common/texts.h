#ifndef PELMORA_TEXTS_H
#define PELMORA_TEXTS_H

#include <optional>
#include <string>
#include <string_view>

// The texts the program shows, in UTF-8, character for character (full-width forms and CR LF line
// breaks included).
namespace pelmora::texts {

inline constexpr std::string_view kLineBreak = "\r\n";

// The help text of a box or calculate button, by its name ("Text2" ... "Text12", "Command1" ...
// "Command3"): heading, a line break and an empty line, description. nullopt for any other name.
std::optional<std::string> help_text(std::string_view control);

// The notice in the help panel while an engine search runs.
std::string wait_text();

// The refusal of a loss probability of 1 or more.
inline constexpr std::string_view kLossProbabilityAtMostOne =
    "呼損率の値は１以下で入力してください";

inline constexpr std::string_view kErrorTitle = "Error";

}  // namespace pelmora::texts

#endif
