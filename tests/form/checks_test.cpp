#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/form_fixture.h"

namespace {

using pelmora::Control;
namespace texts = pelmora::texts;

struct Page {
    Control button;
    std::vector<Control> inputs;
    std::vector<Control> results;
};

const Page kOfferedTraffic{Control::Command1,
                           {Control::Text2, Control::Text3, Control::Text4},
                           {Control::Text5, Control::Text6}};
const Page kRequiredLines{Control::Command2, {Control::Text6, Control::Text7}, {Control::Text8}};
const Page kProcessableCalls{
    Control::Command3, {Control::Text9, Control::Text10, Control::Text11}, {Control::Text12}};

struct Report {
    const char* name;
    const Page* page;
    std::vector<std::u16string> texts;
    Control failing;
    std::u16string_view message;
    std::vector<std::string> marks;  // the marks each input box took in the press, in order
};

class ChecksTest : public FormTest, public testing::WithParamInterface<Report> {};

// The first failing check gives the input error report: the error mark, one message, then the
// focus with its help. Every box before it took the accepted mark, the boxes after it none, and
// no text changed.
TEST_P(ChecksTest, ReportTheFirstFailingBox) {
    const Report& report = GetParam();
    const Page& page = *report.page;
    for (std::size_t i = 0; i < page.inputs.size(); ++i) {
        text(page.inputs[i]) = report.texts[i];
    }
    for (const Control result : page.results) {
        text(result) = u"earlier";
    }
    window.click(page.button);
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0].title, u"Error");
    EXPECT_EQ(window.messages[0].text, report.message);
    EXPECT_EQ(window.focused, report.failing);
    EXPECT_EQ(text(Control::Text1), help(report.failing));
    for (std::size_t i = 0; i < page.inputs.size(); ++i) {
        std::string marks;
        for (const std::string& entry : window.log) {
            std::string prefix = "mark ";
            prefix += control_name(page.inputs[i]);
            prefix += ' ';
            if (entry.starts_with(prefix)) {
                if (!marks.empty()) {
                    marks += ' ';
                }
                marks += entry.substr(prefix.size());
            }
        }
        EXPECT_EQ(marks, report.marks[i]) << control_name(page.inputs[i]);
        EXPECT_EQ(text(page.inputs[i]), report.texts[i]);
    }
    for (const Control result : page.results) {
        EXPECT_EQ(text(result), u"earlier");
    }
    EXPECT_TRUE(engine.calls.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pages, ChecksTest, testing::Values(
    Report{"calls_empty", &kOfferedTraffic, {u"", u"", u""}, Control::Text2, texts::kCallsMissing, {"red", "", ""}},
    Report{"call_time_empty", &kOfferedTraffic, {u"240", u"", u""}, Control::Text3, texts::kCallTimeMissing, {"white", "red", ""}},
    Report{"hours_empty", &kOfferedTraffic, {u"240", u"3", u""}, Control::Text4, texts::kOperatingTimeMissing, {"white", "white", "red"}},
    Report{"hours_0", &kOfferedTraffic, {u"240", u"3", u"0"}, Control::Text4, texts::kOperatingTimeInvalid, {"white", "white", "white red"}},
    Report{"hours_abc", &kOfferedTraffic, {u"240", u"3", u"abc"}, Control::Text4, texts::kOperatingTimeInvalid, {"white", "white", "white red"}},
    Report{"hours_blanks", &kOfferedTraffic, {u"240", u"3", u"   "}, Control::Text4, texts::kOperatingTimeInvalid, {"white", "white", "white red"}},
    Report{"hours_negative", &kOfferedTraffic, {u"240", u"3", u"-8"}, Control::Text4, texts::kOperatingTimeInvalid, {"white", "white", "white red"}},
    Report{"traffic_empty", &kRequiredLines, {u"", u""}, Control::Text6, texts::kTrafficMissing, {"red", ""}},
    Report{"traffic_blanks", &kRequiredLines, {u"   ", u"0.01"}, Control::Text6, texts::kTrafficInvalid, {"white red", ""}},
    Report{"traffic_0", &kRequiredLines, {u"0", u"0.01"}, Control::Text6, texts::kTrafficInvalid, {"white red", ""}},
    Report{"traffic_abc", &kRequiredLines, {u"abc", u"0.01"}, Control::Text6, texts::kTrafficInvalid, {"white red", ""}},
    Report{"traffic_negative", &kRequiredLines, {u"-10", u"0.01"}, Control::Text6, texts::kTrafficInvalid, {"white red", ""}},
    Report{"traffic_tiny", &kRequiredLines, {u"1e-400", u"0.01"}, Control::Text6, texts::kTrafficInvalid, {"white red", ""}},
    Report{"loss_empty", &kRequiredLines, {u"10", u""}, Control::Text7, texts::kLossProbabilityMissing, {"white white", "red"}},
    Report{"loss_0", &kRequiredLines, {u"10", u"0"}, Control::Text7, texts::kLossProbabilityInvalid, {"white white", "white red"}},
    Report{"loss_negative", &kRequiredLines, {u"10", u"-0.5"}, Control::Text7, texts::kLossProbabilityInvalid, {"white white", "white red"}},
    Report{"loss_abc", &kRequiredLines, {u"10", u"abc"}, Control::Text7, texts::kLossProbabilityInvalid, {"white white", "white red"}},
    Report{"page3_empty", &kProcessableCalls, {u"", u"", u""}, Control::Text9, texts::kLossProbabilityMissing, {"red", "", ""}},
    Report{"lines_empty", &kProcessableCalls, {u"0.01", u"", u""}, Control::Text10, texts::kLinesMissing, {"white", "red", ""}},
    Report{"minutes_empty", &kProcessableCalls, {u"0.01", u"10", u""}, Control::Text11, texts::kCallTimeMissing, {"white", "white", "red"}},
    Report{"page3_loss_0", &kProcessableCalls, {u"0", u"10", u"3"}, Control::Text9, texts::kLossProbabilityInvalid, {"white red", "white", "white"}},
    Report{"page3_loss_negative", &kProcessableCalls, {u"-0.5", u"10", u"3"}, Control::Text9, texts::kLossProbabilityInvalid, {"white red", "white", "white"}},
    Report{"lines_abc", &kProcessableCalls, {u"0.01", u"abc", u"3"}, Control::Text10, texts::kLinesInvalid, {"white white", "white red", "white"}},
    Report{"lines_negative", &kProcessableCalls, {u"0.01", u"-5", u"3"}, Control::Text10, texts::kLinesInvalid, {"white white", "white red", "white"}},
    Report{"minutes_0", &kProcessableCalls, {u"0.01", u"10", u"0"}, Control::Text11, texts::kCallTimeInvalid, {"white white", "white white", "white red"}},
    Report{"minutes_blanks", &kProcessableCalls, {u"0.01", u"10", u"   "}, Control::Text11, texts::kCallTimeInvalid, {"white white", "white white", "white red"}},
    Report{"minutes_negative", &kProcessableCalls, {u"0.01", u"10", u"-3"}, Control::Text11, texts::kCallTimeInvalid, {"white white", "white white", "white red"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A box marked red by an earlier press turns white as soon as it passes its emptiness check.
TEST_F(FormTest, ARedBoxTurnsWhiteOnceItPasses) {
    window.marks[static_cast<std::size_t>(index_of(Control::Text6))] = Mark::Error;
    window.marks[static_cast<std::size_t>(index_of(Control::Text7))] = Mark::Error;
    text(Control::Text6) = u"10";
    window.click(Control::Command2);
    EXPECT_EQ(mark(Control::Text6), Mark::Accepted);
    EXPECT_EQ(mark(Control::Text7), Mark::Error);
}

}  // namespace
