#ifndef PELMORA_TESTS_MONKEY_INVARIANTS_H
#define PELMORA_TESTS_MONKEY_INVARIANTS_H

#include <functional>
#include <map>
#include <string>

#include "form/box_value.h"
#include "form/controls.h"
#include "form/number_text.h"

// What must hold of the main window after every event of a random-input run, whichever toolkit
// draws it.
namespace pelmora::monkey {

// A text the page would write for a number: the number text of its own value, without the
// leading blank (pages 1 and 2) or padded to 256 characters (page 3).
inline bool is_shown_answer(const std::u16string& text, bool padded) {
    std::u16string number = text;
    if (padded) {
        if (text.size() != 256) {
            return false;
        }
        number.erase(number.find_last_not_of(u' ') + 1);
    }
    const std::string expected = number_text(box_value(number));
    const std::string shown = padded || expected[0] == '-' ? expected : expected.substr(1);
    return std::u16string(shown.begin(), shown.end()) == number &&
           shown.find("inf") == std::string::npos && shown.find("nan") == std::string::npos;
}

struct Window {
    std::function<std::u16string(Control)> text;
    // Whether a result box may have changed to an answer, or to anything (the user typed into it).
    std::function<bool(Control)> may_answer;
    std::function<bool(Control)> typed_in;
    // What is wrong with where a box shows its text from, if anything.
    std::function<std::string(Control)> start_problem;
};

// What is wrong after an event, or nothing; `before` holds every box's text before it.
inline std::string broken(const Window& window, const std::map<Control, std::u16string>& before) {
    if (window.text(Control::Text3) != window.text(Control::Text11) ||
        window.text(Control::Text7) != window.text(Control::Text9) ||
        window.text(Control::Text8) != window.text(Control::Text10)) {
        return "linked boxes differ";
    }
    if (box_value(window.text(Control::Text7)) >= 1) {
        return "a loss probability of 1 or more stands";
    }
    for (const auto& [box, earlier] : before) {
        const std::u16string now = window.text(box);
        const bool result =
            box == Control::Text5 || box == Control::Text8 || box == Control::Text12;
        if (result && now != earlier && !window.typed_in(box) &&
            !(window.may_answer(box) && is_shown_answer(now, box == Control::Text12))) {
            return std::string(name_of(box)) + " holds no answer";
        }
        if (const std::string problem = window.start_problem(box); !problem.empty()) {
            return std::string(name_of(box)) + " shows no start" + problem;
        }
    }
    return {};
}

}  // namespace pelmora::monkey

#endif
