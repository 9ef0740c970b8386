#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/form_fixture.h"

namespace {

using pelmora::Control;
namespace texts = pelmora::texts;
using pelmora::Mark;
using Log = std::vector<std::string>;

// Whatever moved the focus there, the panel holds exactly the control's help, and another
// control without help leaves it so.
TEST_F(FormTest, FocusShowsTheControlsHelpText) {
    int helped = 0;
    for (int i = 0; i < pelmora::kControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        if (const auto help = pelmora::texts::help_text(control)) {
            window.focus(control);
            EXPECT_EQ(text(Control::Text1), *help) << control_name(control);
            form.GotFocus(Control::Command4);
            EXPECT_EQ(text(Control::Text1), *help) << control_name(control);
            ++helped;
        }
    }
    EXPECT_EQ(helped, 14);
}

TEST_F(FormTest, FocusOnAControlWithoutHelpLeavesThePanel) {
    window.focus(Control::Text4);
    window.take_log();
    for (const Control control : {Control::Text1, Control::Command4, Control::TabStrip1,
                                  Control::StatusBar1, Control::Label1, Control::Frame2}) {
        form.GotFocus(control);
        EXPECT_EQ(text(Control::Text1), help(Control::Text4)) << control_name(control);
    }
    EXPECT_TRUE(window.take_log().empty());
}

struct Enter {
    Control from;
    Control to;
};

class EnterTest : public FormTest, public testing::WithParamInterface<Enter> {};

// The move is an ordinary focus change, so the target's help shows; the text stays, nothing is
// calculated, and no other character moves the focus.
TEST_P(EnterTest, MovesToTheNextBoxOrTheCalculateButton) {
    const Enter enter = GetParam();
    window.type(enter.from, u".5\n\t a");
    window.press_enter(enter.from);
    EXPECT_EQ(window.focused, enter.to);
    EXPECT_EQ(text(Control::Text1), help(enter.to));
    // A line feed is no text of a one-line box.
    EXPECT_EQ(text(enter.from), u".5\t a");
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(engine.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Chains, EnterTest,
    testing::Values(Enter{Control::Text2, Control::Text3}, Enter{Control::Text3, Control::Text4},
                    Enter{Control::Text4, Control::Command1}, Enter{Control::Text6, Control::Text7},
                    Enter{Control::Text7, Control::Command2},
                    Enter{Control::Text9, Control::Text10}, Enter{Control::Text10, Control::Text11},
                    Enter{Control::Text11, Control::Command3},
                    Enter{Control::Text5, Control::Text5}, Enter{Control::Text8, Control::Text8},
                    Enter{Control::Text12, Control::Text12}),
    [](const auto& info) { return control_name(info.param.from); });

struct Link {
    Control typed_in;
    Control twin;
    const char16_t* text;
};

class LinkedBoxesTest : public FormTest, public testing::WithParamInterface<Link> {};

// Copies are verbatim and follow every keystroke; they change no colour and move no focus.
TEST_P(LinkedBoxesTest, CopyEachKeystrokeIntoTheTwin) {
    const Link link = GetParam();
    window.marks[static_cast<std::size_t>(index_of(link.twin))] = Mark::Error;
    window.focus(link.typed_in);
    window.take_log();
    const std::u16string typed = link.text;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        window.type(link.typed_in, typed.substr(i, 1));
        EXPECT_EQ(text(link.twin), typed.substr(0, i + 1));
    }
    // One write of the twin a keystroke: the twin's copy back is no change.
    EXPECT_EQ(window.take_log(), Log(typed.size(), "write " + control_name(link.twin)));
    EXPECT_EQ(mark(link.twin), Mark::Error);
    EXPECT_EQ(window.focused, link.typed_in);
    EXPECT_TRUE(window.messages.empty());
    window.edit(link.typed_in, u"");
    EXPECT_EQ(text(link.twin), u"");
}

INSTANTIATE_TEST_SUITE_P(Pairs, LinkedBoxesTest,
                         testing::Values(Link{Control::Text3, Control::Text11, u" 3.50 min"},
                                         Link{Control::Text11, Control::Text3, u"4,5"},
                                         Link{Control::Text8, Control::Text10, u"17.45"},
                                         Link{Control::Text10, Control::Text8, u"-5"},
                                         Link{Control::Text7, Control::Text9, u"0.01"},
                                         Link{Control::Text9, Control::Text7, u".5 "},
                                         Link{Control::Text7, Control::Text9, u"abc"},
                                         Link{Control::Text9, Control::Text7, u"0.999"},
                                         Link{Control::Text7, Control::Text9, u"０．５"}),
                         [](const auto& info) {
                             return control_name(info.param.typed_in) + "_" +
                                    std::to_string(info.index);
                         });

TEST_F(FormTest, BoxesWithoutAnEditReactionCopyNothing) {
    for (const Control box : {Control::Text2, Control::Text4, Control::Text5, Control::Text6,
                              Control::Text12, Control::Text1}) {
        window.focus(box);
        window.take_log();
        window.edit(box, u"0.5");
        EXPECT_TRUE(window.take_log().empty()) << control_name(box);
    }
}

struct Refusal {
    Control typed_in;
    Control twin;
    const char16_t* typed;
    const char16_t* refused;  // the text the box shows while the message is up
    const char16_t* left;     // what both boxes hold in the end
};

class RefusalTest : public FormTest, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, RefusesALossProbabilityOfOneOrMore) {
    const Refusal refusal = GetParam();
    window.marks[static_cast<std::size_t>(index_of(refusal.twin))] = Mark::Accepted;
    std::u16string during_message;
    window.while_message = [&] { during_message = text(refusal.typed_in); };
    window.type(refusal.typed_in, refusal.typed);
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0].title, u"Error");
    EXPECT_EQ(window.messages[0].text, texts::kLossProbabilityAtMostOne);
    EXPECT_EQ(during_message, refusal.refused);
    EXPECT_EQ(text(refusal.typed_in), refusal.left);
    EXPECT_EQ(text(refusal.twin), refusal.left);
    EXPECT_EQ(window.focused, refusal.typed_in);
    EXPECT_EQ(mark(refusal.typed_in), Mark::None);
    EXPECT_EQ(mark(refusal.twin), Mark::Accepted);
}

// The test runs at every keystroke: a first digit from 1 to 9 is refused at once, and what is
// typed after the refusal stays.
INSTANTIATE_TEST_SUITE_P(
    Typed, RefusalTest,
    testing::Values(Refusal{Control::Text7, Control::Text9, u"5", u"5", u""},
                    Refusal{Control::Text9, Control::Text7, u"1", u"1", u""},
                    Refusal{Control::Text9, Control::Text7, u"0.1e1", u"0.1e1", u""},
                    Refusal{Control::Text7, Control::Text9, u"２", u"２", u""},
                    Refusal{Control::Text7, Control::Text9, u"０．５ｅ１", u"０．５ｅ１", u""},
                    Refusal{Control::Text9, Control::Text7, u"&H1", u"&H1", u""},
                    Refusal{Control::Text7, Control::Text9, u"1.5", u"1", u".5"}),
    [](const auto& info) {
        return control_name(info.param.typed_in) + "_" + std::to_string(info.index);
    });

// After OK the box is emptied, which is itself a change: its reaction runs again, nested, and
// carries the empty text into the twin.
TEST_F(FormTest, RefusalEmptiesTheBoxAndThenTheTwin) {
    window.type(Control::Text9, u"0.5");
    window.take_log();
    window.edit(Control::Text9, u"50.5");
    EXPECT_EQ(window.take_log(), (Log{"message", "write Text9", "write Text7"}));
    EXPECT_EQ(text(Control::Text7), u"");
    EXPECT_EQ(window.messages.size(), 1U);
}

// An input method may hand a composition over in one event or a character at a time, and hand it
// over again if a box opens inside that event: the refusal comes once, after the event.
TEST_F(FormTest, RefusalWaitsUntilTheEventIsOver) {
    window.type(Control::Text9, u"0.5");
    window.focus(Control::Text7);
    for (const char16_t* committed : {u"１", u"１５"}) {
        text(Control::Text7) = committed;
        form.Change(Control::Text7);
    }
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(text(Control::Text9), u"0.5");
    window.end_event();
    EXPECT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(text(Control::Text7), u"");
    EXPECT_EQ(text(Control::Text9), u"");
}

TEST_F(FormTest, DeletingTheDecimalPointCanBeRefused) {
    window.type(Control::Text7, u"0.15");
    EXPECT_EQ(text(Control::Text9), u"0.15");
    window.edit(Control::Text7, u"015");
    EXPECT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(text(Control::Text7), u"");
    EXPECT_EQ(text(Control::Text9), u"");
}

TEST_F(FormTest, EditsEmptyNoResults) {
    text(Control::Text5) = u"1.5";
    text(Control::Text12) = u" 90";
    window.type(Control::Text3, u"4");
    window.type(Control::Text9, u"0.02");
    EXPECT_EQ(text(Control::Text5), u"1.5");
    EXPECT_EQ(text(Control::Text12), u" 90");
}

}  // namespace
