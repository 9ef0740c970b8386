#include <string>
#include <tuple>
#include <vector>

#include "form/layout.h"
#include "form/texts.h"
#include "scenario.h"

namespace pelmora::conformance {

namespace {

using C = Control;
using A = AboutAction;

Step click(Control control) {
    return {Step::Act::Click, control};
}

Step type(std::u16string text) {
    return {Step::Act::Type, Control::Pelmora_Main, std::move(text)};
}

Step compose(std::u16string text) {
    return {Step::Act::Compose, Control::Pelmora_Main, std::move(text)};
}

Step commit() {
    return {Step::Act::Commit};
}

Step press(Key key) {
    return {Step::Act::Press, Control::Pelmora_Main, {}, key};
}

Step tab(int index) {
    return {Step::Act::SelectTab, Control::Pelmora_Main, {}, Key::Enter, index};
}

Step about(AboutAction action, bool closes = true) {
    return {Step::Act::About, Control::Pelmora_Main, {}, Key::Enter, 0, action, closes};
}

std::u16string help(Control control) {
    return texts::help_text(control).value();
}

// The processable-calls answer as the page shows it: padded with blanks to 256 characters.
std::u16string padded(std::u16string text) {
    text.resize(256, u' ');
    return text;
}

struct Page {
    int tab;
    Control button;
    std::vector<Control> inputs;
};

const Page kOfferedTraffic{0, C::Command1, {C::Text2, C::Text3, C::Text4}};
const Page kRequiredLines{1, C::Command2, {C::Text6, C::Text7}};
const Page kProcessableCalls{2, C::Command3, {C::Text9, C::Text10, C::Text11}};

// Types each input of a page that has a text (into empty boxes, clicked first) and presses its
// button.
std::vector<Step> calculate(const Page& page, const std::vector<std::u16string>& figures) {
    std::vector<Step> steps;
    if (page.tab != 0) {
        steps.push_back(tab(page.tab));
    }
    for (std::size_t i = 0; i < figures.size(); ++i) {
        if (!figures[i].empty()) {
            steps.push_back(click(page.inputs[i]));
            steps.push_back(type(figures[i]));
        }
    }
    steps.push_back(click(page.button));
    return steps;
}

// A check that fails: its message, the focus and the help on the failing box, the marks the
// inputs were left with.
Scenario check(std::string name, const Page& page, const std::vector<std::u16string>& figures,
               Control failing, std::u16string_view message, const std::vector<Mark>& marks) {
    Scenario scenario{std::move(name), calculate(page, figures), {}};
    for (std::size_t i = 0; i < marks.size(); ++i) {
        scenario.expected.marks.emplace_back(page.inputs[i], marks[i]);
    }
    scenario.expected.focus = failing;
    scenario.expected.texts = {{C::Text1, help(failing)}};
    scenario.expected.messages = {std::u16string(message)};
    return scenario;
}

// An answer: the result box and where it is handed on, every input accepted, the focus back in
// the page's first box with its help.
Scenario answer(std::string name, const Page& page, const std::vector<std::u16string>& figures,
                std::vector<std::pair<Control, std::u16string>> results) {
    Scenario scenario{std::move(name), calculate(page, figures), {}};
    for (const Control input : page.inputs) {
        scenario.expected.marks.emplace_back(input, Mark::Accepted);
    }
    scenario.expected.focus = page.inputs[0];
    results.emplace_back(C::Text1, help(page.inputs[0]));
    scenario.expected.texts = std::move(results);
    return scenario;
}

Scenario no_answer(std::string name, const Page& page, const std::vector<std::u16string>& figures,
                   Control result) {
    Scenario scenario{std::move(name), calculate(page, figures), {}};
    scenario.expected.texts = {{result, u""}};
    scenario.expected.focus = page.inputs[0];
    scenario.expected.messages = {std::u16string(texts::kNoAnswer)};
    return scenario;
}

// Figures at the edges of the reading, where a calculation reads them: a defined answer, a check's
// message or the message that there is no answer; never a crash, inf or nan.
Scenario edge(std::string name, const Page& page, const std::vector<std::u16string>& figures,
              std::u16string_view message, Control result, std::u16string shown = u"") {
    Scenario scenario{std::move(name), calculate(page, figures), {}};
    scenario.expected.texts = {{result, std::move(shown)}};
    if (!message.empty()) {
        scenario.expected.messages = {std::u16string(message)};
    }
    return scenario;
}

// The same key pressed a number of times.
std::vector<Step> presses(Key key, int times, std::vector<Step> before = {}) {
    before.insert(before.end(), static_cast<std::size_t>(times), press(key));
    return before;
}

// A key pressed on the tab strip, the focus brought there from the page's first box by Shift+Tab,
// then the further steps.
std::vector<Step> on_the_strip(int page, Key key, std::vector<Step> then = {}) {
    std::vector<Step> steps;
    if (page != 0) {
        steps.push_back(tab(page));
    }
    // On the first page the close button, the last stop, comes between.
    steps.insert(steps.end(), page == 0 ? 2 : 1, press(Key::ShiftTab));
    steps.push_back(press(key));
    steps.insert(steps.end(), then.begin(), then.end());
    return steps;
}

std::u16string msg(std::u16string_view text) {
    return std::u16string(text);
}

std::vector<Scenario> make_scenarios() {
    const Mark ok = Mark::Accepted;
    const Mark error = Mark::Error;
    const Mark none = Mark::None;
    const std::u16string lines = u"17.4499999999999";
    const Key enter = Key::Enter;
    const auto refused = msg(texts::kLossProbabilityAtMostOne);
    // clang-format off
    std::vector<Scenario> all = {
        {"start_up", {}, {.texts = {{C::Text1, help(C::Text2)}, {C::Text2, u""}, {C::Text12, u""}},
                          .focus = C::Text2, .page = C::Frame1}},

        // The form's checks each have a row of their own in its tests; these three show the marks
        // and the focus of a failed check on the real window, one per page.
        check("offered_traffic_without_call_time", kOfferedTraffic, {u"240", u"", u""}, C::Text3,
              texts::kCallTimeMissing, {ok, error, none}),
        check("required_lines_with_a_zero_loss_probability", kRequiredLines, {u"10", u"0"},
              C::Text7, texts::kLossProbabilityInvalid, {ok, error}),
        check("processable_calls_with_wrong_lines", kProcessableCalls, {u"0.01", u"abc", u"3"},
              C::Text10, texts::kLinesInvalid, {ok, error, ok}),

        answer("offered_traffic", kOfferedTraffic, {u"240", u"3", u"8"},
               {{C::Text5, u"1.5"}, {C::Text6, u"1.5"}}),
        answer("offered_traffic_below_one", kOfferedTraffic, {u"60", u"2", u"8"}, {{C::Text5, u".25"}}),
        answer("offered_traffic_of_negative_calls", kOfferedTraffic, {u"-240", u"3", u"8"},
               {{C::Text5, u"-1.5"}}),
        answer("required_lines", kRequiredLines, {u"10", u"0.01"}, {{C::Text8, lines}, {C::Text10, lines}}),
        answer("required_lines_of_half_an_erlang", kRequiredLines, {u"0.5", u"0.5"}, {{C::Text8, u"1"}}),
        answer("required_lines_of_one_erlang", kRequiredLines, {u"1", u"0.01"},
               {{C::Text8, u"4.34999999999995"}}),
        answer("required_lines_of_a_hundred_erlangs", kRequiredLines, {u"100", u"0.01"},
               {{C::Text8, u"116.880000000023"}}),
        answer("processable_calls", kProcessableCalls, {u"0.01", u"10", u"3"},
               {{C::Text12, padded(u" 90")}}),
        answer("processable_calls_of_eighteen_lines", kProcessableCalls, {u"0.01", u"18", u"3"},
               {{C::Text12, padded(u" 210")}}),
        answer("processable_calls_at_five_percent", kProcessableCalls, {u"0.05", u"5", u"2"},
               {{C::Text12, padded(u" 69")}}),
        answer("processable_calls_of_half_a_line", kProcessableCalls, {u"0.5", u"0.5", u"3"},
               {{C::Text12, padded(u" 2")}}),
        no_answer("offered_traffic_beyond_range", kOfferedTraffic, {u"1e400", u"3", u"8"}, C::Text5),
        no_answer("required_lines_beyond_range", kRequiredLines, {u"1e300", u"0.01"}, C::Text8),
        edge("traffic_of_1e400", kRequiredLines, {u"1e400", u"0.01"}, texts::kNoAnswer, C::Text8),
        edge("traffic_of_minus_1e400", kRequiredLines, {u"-1e400", u"0.01"}, texts::kTrafficInvalid, C::Text8),
        edge("traffic_of_1e-400", kRequiredLines, {u"1e-400", u"0.01"}, texts::kTrafficInvalid, C::Text8),
        edge("traffic_of_a_lone_minus", kRequiredLines, {u"-", u"0.01"}, texts::kTrafficInvalid, C::Text8),
        edge("loss_probability_of_a_wrong_octal", kRequiredLines, {u"10", u"&O9"},
             texts::kLossProbabilityInvalid, C::Text8),
        edge("traffic_of_the_widest_hexadecimal", kRequiredLines, {u"&HFFFFFFFFFFFFFFFFFFFF", u"0.01"},
             texts::kNoAnswer, C::Text8),
        edge("traffic_in_hexadecimal", kRequiredLines, {u"&H10", u"0.5"}, u"", C::Text8, u"8.85999999999986"),
        edge("lines_of_1e400", kProcessableCalls, {u"0.01", u"1e400", u"3"}, texts::kNoAnswer, C::Text12),
        edge("call_time_of_1e-400", kProcessableCalls, {u"0.01", u"10", u"1e-400"},
             texts::kCallTimeInvalid, C::Text12),
        edge("call_time_of_the_least_double", kProcessableCalls, {u"0.01", u"10", u"4.9e-324"},
             texts::kNoAnswer, C::Text12),
        edge("operating_time_of_the_widest_hexadecimal", kOfferedTraffic,
             {u"1", u"1", u"&HFFFFFFFFFFFFFFFFFFFF"}, u"", C::Text5, u"1.37863435425505E-26"),

        {"enter_chain_of_offered_traffic", {type(u"240"), press(enter), type(u"3"),
            press(Key::ShiftEnter), type(u"8"), press(enter), press(enter)},
         {.texts = {{C::Text5, u"1.5"}}, .focus = C::Text2}},
        {"enter_chain_of_required_lines_on_the_keypad", {tab(1), type(u"10"),
            press(Key::KeypadEnter), type(u"0.01"), press(Key::KeypadEnter), press(Key::KeypadEnter)},
         {.texts = {{C::Text8, lines}}, .focus = C::Text6}},
        {"enter_chain_of_processable_calls_and_space", {tab(2), type(u"0.01"), press(enter),
            type(u"10"), press(enter), type(u"3"), press(enter), press(Key::Space)},
         {.texts = {{C::Text12, padded(u" 90")}}, .focus = C::Text9}},
        {"enter_chain_with_nothing_typed", presses(enter, 3, {tab(1)}),
         {.focus = C::Text6, .messages = {msg(texts::kTrafficMissing)}}},
        {"held_enter_does_not_press_the_button", {tab(1), type(u"10"), press(enter), type(u"0.01"),
            press(Key::HeldEnter)}, {.texts = {{C::Text8, u""}}, .focus = C::Command2}},
        {"shift_keypad_enter_moves_on", {type(u"240"), press(Key::ShiftKeypadEnter)},
         {.texts = {{C::Text2, u"240"}}, .focus = C::Text3}},
        // The keys after Alt+Enter still reach the box, not the menu bar.
        {"ctrl_and_alt_enter_are_no_enter", {type(u"1"), press(Key::CtrlEnter),
            press(Key::CtrlKeypadEnter), press(Key::AltEnter), type(u"5")},
         {.texts = {{C::Text2, u"15"}}, .focus = C::Text2}},
        {"space_on_a_button_presses_it", {type(u"240"), press(enter), type(u"3"), press(enter),
            type(u"8"), press(enter), press(Key::Space)}, {.texts = {{C::Text5, u"1.5"}}, .focus = C::Text2}},
        {"ctrl_and_alt_enter_on_a_button_do_not_press_it", {type(u"240"), press(enter), type(u"3"),
            press(enter), type(u"8"), press(enter), press(Key::CtrlEnter), press(Key::CtrlKeypadEnter),
            press(Key::AltEnter)}, {.texts = {{C::Text5, u""}}, .focus = C::Command1}},
        {"ctrl_and_alt_space_on_a_button_do_not_press_it", {type(u"240"), press(enter), type(u"3"),
            press(enter), type(u"8"), press(enter), press(Key::CtrlSpace), press(Key::AltSpace)},
         {.texts = {{C::Text5, u""}}, .focus = C::Command1}},
        {"shift_enter_on_a_button_presses_it", {type(u"240"), press(enter), type(u"3"), press(enter),
            type(u"8"), press(enter), press(Key::ShiftEnter)},
         {.texts = {{C::Text5, u"1.5"}}, .focus = C::Text2}},
        {"shift_keypad_enter_on_a_button_presses_it", {type(u"240"), press(enter), type(u"3"),
            press(enter), type(u"8"), press(enter), press(Key::ShiftKeypadEnter)},
         {.texts = {{C::Text5, u"1.5"}}, .focus = C::Text2}},

        {"answers_flow_from_page_to_page", {click(C::Text2), type(u"240"), click(C::Text3),
            type(u"3"), click(C::Text4), type(u"8"), click(C::Command1), tab(1), click(C::Text7),
            type(u"0.01"), click(C::Command2), tab(2), click(C::Command3)},
         {.texts = {{C::Text6, u"1.5"}, {C::Text9, u"0.01"}, {C::Text10, u"5.29999999999993"},
                    {C::Text11, u"3"}, {C::Text12, padded(u" 32")}}, .focus = C::Text9}},
        {"call_time_is_shared_by_pages_1_and_3", {click(C::Text3), type(u" 3.50 min"), tab(2),
            click(C::Text11), press(Key::End), press(Key::Backspace)},
         {.texts = {{C::Text3, u" 3.50 mi"}, {C::Text11, u" 3.50 mi"}}}},
        {"loss_probability_is_shared_by_pages_2_and_3", {tab(2), click(C::Text9), type(u".5 "), tab(1)},
         {.texts = {{C::Text7, u".5 "}, {C::Text9, u".5 "}}}},
        {"lines_are_handed_from_page_2_to_page_3", {tab(2), click(C::Text10), type(u"-5"), tab(1)},
         {.texts = {{C::Text8, u"-5"}, {C::Text10, u"-5"}}}},
        {"loss_probability_of_one_or_more_is_refused", {tab(1), click(C::Text7), type(u"1.5")},
         {.texts = {{C::Text7, u".5"}, {C::Text9, u".5"}}, .marks = {{C::Text7, none}},
          .focus = C::Text7, .messages = {refused}}},
        {"a_full_width_loss_probability_of_two_is_refused", {tab(2), click(C::Text9), type(u"２")},
         {.texts = {{C::Text7, u""}, {C::Text9, u""}}, .focus = C::Text9, .messages = {refused}}},
        {"deleting_the_decimal_point_can_be_refused", {tab(1), click(C::Text7), type(u"0.15"),
            press(Key::Left), press(Key::Left), press(Key::Backspace)},
         {.texts = {{C::Text7, u""}, {C::Text9, u""}}, .messages = {refused}}},

        {"a_committed_loss_probability_of_one_or_more_is_refused_once",
            {tab(1), click(C::Text7), compose(u"１５"), commit()},
         {.texts = {{C::Text7, u""}, {C::Text9, u""}}, .focus = C::Text7, .messages = {refused}}},
        {"a_committed_loss_probability_is_handed_on",
            {tab(1), click(C::Text6), compose(u"１０"), commit(), click(C::Text7), compose(u"。０１"),
             commit(), click(C::Command2)},
         {.texts = {{C::Text6, u"１０"}, {C::Text9, u"。０１"}, {C::Text8, lines}, {C::Text10, lines}}}},
        {"a_click_on_a_button_that_commits_a_refused_value_is_no_click",
            {tab(1), click(C::Text6), type(u"10"), click(C::Text7), compose(u"２"), click(C::Command2)},
         {.texts = {{C::Text7, u""}, {C::Text9, u""}, {C::Text8, u""}}, .focus = C::Text7,
          .messages = {refused}}},
        {"a_click_away_leaves_the_composition_in_its_box",
            {tab(1), click(C::Text7), type(u"0."), compose(u"５"), click(C::Text6)},
         {.texts = {{C::Text6, u""}, {C::Text7, u"0.５"}, {C::Text9, u"0.５"}}, .focus = C::Text6}},

        {"a_tab_click_shows_its_page", {click(C::Text3), tab(2)},
         {.texts = {{C::Text1, help(C::Text9)}}, .focus = C::Text9, .page = C::Frame3}},
        {"a_tab_click_shows_the_first_page_again", {tab(1), click(C::Text7), tab(0)},
         {.texts = {{C::Text1, help(C::Text2)}}, .focus = C::Text2, .page = C::Frame1}},
        {"page_keys_go_round_the_tabs", {press(Key::CtrlTab), press(Key::CtrlPageDown),
            press(Key::CtrlTab), press(Key::CtrlShiftTab), press(Key::CtrlPageUp)},
         {.texts = {{C::Text1, help(C::Text6)}}, .focus = C::Text6, .page = C::Frame2}},
        {"ctrl_tab_goes_from_the_last_page_to_the_first", {tab(2), press(Key::CtrlTab)},
         {.focus = C::Text2, .page = C::Frame1}},
        {"ctrl_page_up_goes_from_the_first_page_to_the_last", {press(Key::CtrlPageUp)},
         {.texts = {{C::Text1, help(C::Text9)}}, .focus = C::Text9, .page = C::Frame3}},
        {"ctrl_shift_tab_goes_from_the_first_page_to_the_last", {press(Key::CtrlShiftTab)},
         {.focus = C::Text9, .page = C::Frame3}},
        {"ctrl_shift_page_down_selects_the_next_page", presses(Key::CtrlShiftPageDown, 2),
         {.texts = {{C::Text1, help(C::Text9)}}, .focus = C::Text9, .page = C::Frame3}},
        {"ctrl_shift_page_down_goes_round_to_the_first_page", presses(Key::CtrlShiftPageDown, 3),
         {.focus = C::Text2, .page = C::Frame1}},
        {"ctrl_shift_page_up_selects_the_previous_page", {tab(1), click(C::Text7),
            press(Key::CtrlShiftPageUp)}, {.focus = C::Text2, .page = C::Frame1}},
        {"ctrl_shift_page_up_goes_from_the_first_page_to_the_last", {press(Key::CtrlShiftPageUp)},
         {.focus = C::Text9, .page = C::Frame3}},
        {"ctrl_alt_tab_does_nothing", {type(u"1"), press(Key::CtrlAltTab)},
         {.texts = {{C::Text2, u"1"}}, .focus = C::Text2, .page = C::Frame1}},
        {"ctrl_alt_page_down_does_nothing", {tab(1), click(C::Text7), press(Key::CtrlAltPageDown)},
         {.focus = C::Text7, .page = C::Frame2}},
        {"left_on_the_tab_strip_selects_the_previous_page", on_the_strip(1, Key::Left),
         {.texts = {{C::Text1, help(C::Text2)}}, .focus = C::Text2, .page = C::Frame1}},
        {"up_on_the_tab_strip_selects_the_previous_page", on_the_strip(1, Key::Up),
         {.focus = C::Text2, .page = C::Frame1}},
        {"right_on_the_tab_strip_selects_the_next_page", on_the_strip(1, Key::Right),
         {.texts = {{C::Text1, help(C::Text9)}}, .focus = C::Text9, .page = C::Frame3}},
        {"down_on_the_tab_strip_selects_the_next_page", on_the_strip(1, Key::Down),
         {.focus = C::Text9, .page = C::Frame3}},
        {"home_on_the_tab_strip_selects_the_first_page", on_the_strip(2, Key::Home),
         {.focus = C::Text2, .page = C::Frame1}},
        {"end_on_the_tab_strip_selects_the_last_page", on_the_strip(0, Key::End),
         {.focus = C::Text9, .page = C::Frame3}},
        {"left_and_up_on_the_first_tab_stay_there", on_the_strip(0, Key::Left, {press(Key::Up)}),
         {.page = C::Frame1}},
        {"right_and_down_on_the_last_tab_stay_there", on_the_strip(2, Key::Right, {press(Key::Down)}),
         {.page = C::Frame3}},
        {"tab_follows_the_tab_indices", presses(Key::Tab, 4), {.focus = C::Text5}},
        {"tab_goes_round_the_window", presses(Key::Tab, 5, {tab(1)}), {.focus = C::TabStrip1}},
        {"shift_tab_goes_back", presses(Key::ShiftTab, 3, {tab(2)}), {.focus = C::Text12}},
        {"arrows_on_a_button_move_no_focus", {click(C::Text5), press(Key::ShiftTab), press(Key::Down)},
         {.focus = C::Command1}},
        {"tab_from_the_help_panel_goes_on_from_its_place", {click(C::Text1), press(Key::Tab)},
         {.focus = C::Command4}},
        {"tab_into_a_wide_answer_shows_its_start", presses(Key::Tab, 3, {tab(1), type(u"10"),
            press(enter), type(u"0.01"), press(enter), press(enter)}),
         {.texts = {{C::Text8, lines}}, .focus = C::Text8, .showing_start = {C::Text8, C::Text10}}},
        {"tab_into_a_padded_answer_shows_its_start", presses(Key::Tab, 4, {tab(2), type(u"0.01"),
            press(enter), type(u"10"), press(enter), type(u"3"), press(enter), press(enter)}),
         {.focus = C::Text12, .showing_start = {C::Text12}}},

        {"esc_in_the_help_panel_does_nothing", {type(u"12"), click(C::Text1), press(Key::Esc)},
         {.texts = {{C::Text2, u"12"}}, .focus = C::Text1}},
        {"esc_in_a_box_does_nothing", {type(u"12"), press(Key::Esc)},
         {.texts = {{C::Text2, u"12"}}, .focus = C::Text2}},
        {"alt_f4_ends_the_program", {type(u"12"), press(Key::AltF4)}, {.running = false}},
        {"the_close_button_ends_the_program", {click(C::Command4)}, {.running = false}},
        {"enter_on_the_close_button_ends_the_program", {press(Key::ShiftTab), press(enter)},
         {.running = false}},
        {"space_on_the_close_button_ends_the_program", {press(Key::ShiftTab), press(Key::Space)},
         {.running = false}},
        {"ctrl_and_alt_enter_on_the_close_button_do_nothing", {press(Key::ShiftTab),
            press(Key::CtrlEnter), press(Key::CtrlKeypadEnter), press(Key::AltEnter)},
         {.focus = C::Command4}},

        {"the_about_window_closes_on_a_character", {click(C::Text4), about(A::Character)},
         {.texts = {{C::Text1, help(C::Text4)}}, .focus = C::Text4}},
        {"the_about_window_closes_on_alt_f4", {click(C::Text3), about(A::AltF4)},
         {.texts = {{C::Text1, help(C::Text3)}}, .focus = C::Text3}},
    };
    // Every other action on the about window: it closes or stays open, and the focus comes back
    // where it was.
    const std::vector<std::tuple<const char*, AboutAction, bool>> about_actions = {
        {"closes_on_esc", A::Esc, true}, {"closes_on_enter", A::Enter, true},
        {"closes_on_end_task", A::EndTask, true}, {"closes_on_its_button", A::Button, true},
        {"closes_on_a_click_on_its_frame", A::FrameClick, true},
        {"stays_open_on_tab", A::Tab, false}, {"stays_open_on_delete", A::Delete, false},
        {"stays_open_on_an_arrow_key", A::Arrow, false},
        {"stays_open_on_a_right_click", A::RightClickOnFrame, false},
        {"stays_open_on_a_middle_click", A::MiddleClickOnFrame, false},
        {"stays_open_on_a_click_beside_its_frame", A::ClickOnTheStripAroundTheFrame, false},
        {"stays_open_on_a_click_on_a_name", A::ClickOnName, false},
    };
    // clang-format on
    for (const auto& [name, action, closes] : about_actions) {
        all.push_back({std::string("the_about_window_") + name,
                       {about(action, closes)},
                       {.focus = C::Text2}});
    }
    return all;
}

}  // namespace

const std::vector<Scenario>& scenarios() {
    static const std::vector<Scenario> all = make_scenarios();
    return all;
}

}  // namespace pelmora::conformance
