#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/form_fixture.h"

namespace {

using pelmora::Control;
namespace texts = pelmora::texts;
using Log = std::vector<std::string>;

const std::u16string kWaitText = texts::wait_text();
const std::u16string kNoAnswer(texts::kNoAnswer);

class CalculationTest : public FormTest {
  protected:
    void fill(const std::vector<Control>& boxes, const std::vector<std::u16string>& texts) {
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            window.type(boxes[i], texts[i]);
        }
        window.take_log();
    }

    // Presses a button that has the focus already, so that the log shows the press alone.
    void press(Control button) {
        window.focus(button);
        window.take_log();
        form.Click(button);
    }

    void expect_back_at(Control first_box) {
        EXPECT_EQ(window.focused, first_box);
        EXPECT_EQ(text(Control::Text1), help(first_box));
    }
};

struct Traffic {
    std::vector<std::u16string> texts;
    const char16_t* shown;
};

class OfferedTrafficTest : public CalculationTest, public testing::WithParamInterface<Traffic> {};

// (calls × minutes) ÷ (hours × 60), shown without the leading blank and handed on to Text6; no
// notice and no engine.
TEST_P(OfferedTrafficTest, ShowsTheTrafficAndHandsItOn) {
    fill({Control::Text2, Control::Text3, Control::Text4}, GetParam().texts);
    press(Control::Command1);
    EXPECT_EQ(window.take_log(),
              (Log{"mark Text2 white", "mark Text3 white", "mark Text4 white", "mark Text4 white",
                   "write Text5", "write Text6", "focus Text2", "write Text1"}));
    EXPECT_EQ(text(Control::Text5), GetParam().shown);
    EXPECT_EQ(text(Control::Text6), GetParam().shown);
    EXPECT_TRUE(window.messages.empty());
    expect_back_at(Control::Text2);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, OfferedTrafficTest,
    testing::Values(Traffic{{u"240", u"3", u"8"}, u"1.5"},
                    Traffic{{u"1000", u"2.5", u"10"}, u"4.16666666666667"},
                    Traffic{{u"30", u"2", u"1"}, u"1"}, Traffic{{u"60", u"2", u"8"}, u".25"},
                    Traffic{{u"abc", u"3", u"8"}, u"0"}, Traffic{{u"-240", u"3", u"8"}, u"-1.5"},
                    Traffic{{u"60", u"-2", u"8"}, u"-.25"},
                    Traffic{{u"１", u"1", u"&HFFFFFFFFFFFFFFFFFFFF"}, u"1.37863435425505E-26"}));

class NoAnswerTest : public CalculationTest,
                     public testing::WithParamInterface<std::vector<std::u16string>> {};

// An overflow, or an input that reads as infinity, is no answer: the results stay.
TEST_P(NoAnswerTest, OfferedTrafficSaysSoAndKeepsTheResults) {
    fill({Control::Text2, Control::Text3, Control::Text4}, GetParam());
    text(Control::Text5) = u"earlier";
    text(Control::Text6) = u"earlier";
    window.click(Control::Command1);
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0].text, kNoAnswer);
    EXPECT_EQ(text(Control::Text5), u"earlier");
    EXPECT_EQ(text(Control::Text6), u"earlier");
    expect_back_at(Control::Text2);
}

INSTANTIATE_TEST_SUITE_P(Inputs, NoAnswerTest,
                         testing::Values(std::vector<std::u16string>{u"1e300", u"1e300", u"1"},
                                         std::vector<std::u16string>{u"1e400", u"3", u"8"},
                                         std::vector<std::u16string>{u"240", u"3", u"1e400"}));

// The notice is written and the window repainted before the search, which gets the values as
// read; the answer goes into Text8, the link carries it into Text10, and the page ends on Text6.
TEST_F(CalculationTest, RequiredLinesShowTheEnginesGridAnswer) {
    fill({Control::Text6, Control::Text7}, {u"１０", u" 0.01 x"});
    engine.value = 17.44999999999993;
    window.while_message = [] { FAIL() << "no message expected"; };
    press(Control::Command2);
    EXPECT_EQ(window.take_log(),
              (Log{"mark Text6 white", "mark Text6 white", "mark Text7 white", "mark Text7 white",
                   "write Text1", "waiting events", "engine cal_trunk(10, 0.01)", "write Text8",
                   "write Text10", "write Text1", "focus Text6", "write Text1"}));
    EXPECT_EQ(text(Control::Text8), u"17.4499999999999");
    EXPECT_EQ(text(Control::Text10), u"17.4499999999999");
    expect_back_at(Control::Text6);
}

TEST_F(CalculationTest, TheWaitNoticeStandsWhileTheEngineSearches) {
    fill({Control::Text9, Control::Text10, Control::Text11}, {u"0.01", u"10", u"3"});
    std::u16string during_search;
    struct Watching : FakeEngine {
        std::u16string* seen;
        MemoryWindow* window;
        pelmora::EngineAnswer cal_traffic(double p, double n, double t) override {
            *seen = window->texts[static_cast<std::size_t>(index_of(Control::Text1))];
            return FakeEngine::cal_traffic(p, n, t);
        }
    } watching;
    watching.seen = &during_search;
    watching.window = &window;
    pelmora::MainForm watched_form(window, watching);
    window.attach(watched_form);
    window.click(Control::Command3);
    EXPECT_EQ(during_search, kWaitText);
}

struct Lines {
    double answer;
    const char16_t* shown;
};

class RequiredLinesTest : public CalculationTest, public testing::WithParamInterface<Lines> {};

TEST_P(RequiredLinesTest, ShowsTheAnswerWithoutItsBlank) {
    fill({Control::Text6, Control::Text7}, {u"10", u"0.01"});
    engine.value = GetParam().answer;
    window.click(Control::Command2);
    EXPECT_EQ(text(Control::Text8), GetParam().shown);
    EXPECT_TRUE(window.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Answers, RequiredLinesTest,
                         testing::Values(Lines{4.349999999999952, u"4.34999999999995"},
                                         Lines{116.88000000002289, u"116.880000000023"},
                                         Lines{1.0000000000000007, u"1"}, Lines{0, u"0"},
                                         Lines{1e15, u"1E+15"}));

struct Calls {
    std::vector<std::u16string> texts;
    double answer;
    const char* call;
    const char16_t* shown;
};

class ProcessableCallsTest : public CalculationTest, public testing::WithParamInterface<Calls> {};

// The number text keeps its leading blank here and is padded to 256 characters.
TEST_P(ProcessableCallsTest, ShowsTheCallsPaddedTo256Characters) {
    fill({Control::Text9, Control::Text10, Control::Text11}, GetParam().texts);
    engine.value = GetParam().answer;
    window.click(Control::Command3);
    EXPECT_EQ(engine.calls, std::vector<std::string>{GetParam().call});
    std::u16string shown = GetParam().shown;
    shown.resize(256, u' ');
    EXPECT_EQ(text(Control::Text12), shown);
    EXPECT_TRUE(window.messages.empty());
    expect_back_at(Control::Text9);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ProcessableCallsTest,
    testing::Values(
        Calls{{u"0.01", u"10", u"3"}, 90, "cal_traffic(0.01, 10, 3)", u" 90"},
        Calls{{u"0.01", u"18", u"3"}, 209.99999999999957, "cal_traffic(0.01, 18, 3)", u" 210"},
        Calls{{u"0.05", u"5", u"2"}, 69.00000000000003, "cal_traffic(0.05, 5, 2)", u" 69"},
        Calls{{u"0.5", u"0.5", u"3"}, 2, "cal_traffic(0.5, 0.5, 3)", u" 2"},
        Calls{{u"0.01", u"&HA", u"3"}, -90, "cal_traffic(0.01, 10, 3)", u"-90"}));

struct Unanswered {
    Control button;
    std::vector<Control> boxes;
    std::vector<std::u16string> texts;
    double answer;
    Control result;
    Control first_box;
};

class EngineWithoutAnswerTest : public CalculationTest,
                                public testing::WithParamInterface<Unanswered> {};

// The engine's "no answer" (NaN), an infinite answer or an input that read as infinity: the
// message, the result unchanged, the notice gone.
TEST_P(EngineWithoutAnswerTest, SaysSoAndKeepsTheResult) {
    const Unanswered& press = GetParam();
    fill(press.boxes, press.texts);
    text(press.result) = u"earlier";
    engine.value = press.answer;
    window.click(press.button);
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0].title, u"Error");
    EXPECT_EQ(window.messages[0].text, kNoAnswer);
    EXPECT_EQ(text(press.result), u"earlier");
    expect_back_at(press.first_box);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Answers, EngineWithoutAnswerTest,
    testing::Values(Unanswered{Control::Command2,
                               {Control::Text6, Control::Text7},
                               {u"1e300", u"0.01"},
                               kNaN,
                               Control::Text8,
                               Control::Text6},
                    Unanswered{Control::Command2,
                               {Control::Text6, Control::Text7},
                               {u"1e400", u"0.01"},
                               5,
                               Control::Text8,
                               Control::Text6},
                    Unanswered{Control::Command3,
                               {Control::Text9, Control::Text10, Control::Text11},
                               {u"0.01", u"10", u"3"},
                               kInf,
                               Control::Text12,
                               Control::Text9},
                    Unanswered{Control::Command3,
                               {Control::Text9, Control::Text10, Control::Text11},
                               {u"0.01", u"1e400", u"3"},
                               100,
                               Control::Text12,
                               Control::Text9}));

// The library could not be bound: the user is told why, in the loader's words, and the page ends
// as a calculation does, its result unchanged.
TEST_F(CalculationTest, AMissingLibraryIsReportedWithTheLoadersReason) {
    fill({Control::Text6, Control::Text7}, {u"10", u"0.01"});
    text(Control::Text8) = u"earlier";
    engine.failure = u"/opt/pelmora/lib/libvantrel.so.1: not found";
    window.click(Control::Command2);
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0].title, u"Error");
    EXPECT_EQ(window.messages[0].text,
              u"計算ライブラリ vantrel を読み込めませんでした\r\n"
              u"/opt/pelmora/lib/libvantrel.so.1: not found");
    EXPECT_EQ(text(Control::Text8), u"earlier");
    EXPECT_EQ(text(Control::Text10), u"");
    expect_back_at(Control::Text6);

    engine.failure.reset();
    engine.value = 17.44999999999993;
    window.messages.clear();
    window.click(Control::Command2);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(text(Control::Text8), u"17.4499999999999");
}

// A day's calls become erlangs, the erlangs a line count, the line count calls per hour, without
// retyping: the hand-over and the linked boxes carry every figure.
TEST_F(CalculationTest, AnswersFlowFromPageToPage) {
    fill({Control::Text2, Control::Text3, Control::Text4}, {u"240", u"3", u"8"});
    window.click(Control::Command1);
    EXPECT_EQ(text(Control::Text6), u"1.5");
    window.type(Control::Text7, u"0.01");
    engine.value = 5.5;
    window.click(Control::Command2);
    form.TabStrip1_Click(u"処理可能呼数");
    EXPECT_EQ(text(Control::Text9), u"0.01");
    EXPECT_EQ(text(Control::Text10), u"5.5");
    EXPECT_EQ(text(Control::Text11), u"3");
    window.click(Control::Command3);
    EXPECT_EQ(engine.calls,
              (std::vector<std::string>{"cal_trunk(1.5, 0.01)", "cal_traffic(0.01, 5.5, 3)"}));
}

}  // namespace
