#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "driver.h"
#include "form/texts.h"

namespace pelmora::conformance {

namespace {

std::string name(Control control) {
    return std::string(name_of(control));
}

void act(Driver& driver, const Step& step) {
    switch (step.act) {
        case Step::Act::Click:
            return driver.click(step.control);
        case Step::Act::Type:
            return driver.type(step.text);
        case Step::Act::Press:
            return driver.press(step.key);
        case Step::Act::Compose:
            return driver.compose(step.text);
        case Step::Act::Commit:
            return driver.commit();
        case Step::Act::SelectTab:
            return driver.select_tab(step.tab);
        case Step::Act::About:
            EXPECT_EQ(driver.about(step.action), step.closes)
                << "the about window " << (step.closes ? "stayed open" : "closed") << " (action "
                << static_cast<int>(step.action) << ")";
            return;
    }
}

void check(Driver& driver, const Expected& expected) {
    ASSERT_EQ(driver.running(), expected.running);
    if (!expected.running) {
        return;
    }
    for (const auto& [box, text] : expected.texts) {
        EXPECT_EQ(driver.text(box), text) << name(box);
    }
    for (const auto& [box, mark] : expected.marks) {
        EXPECT_EQ(static_cast<int>(driver.mark(box)), static_cast<int>(mark))
            << name(box) << " (0 unmarked, 1 accepted, 2 error)";
    }
    if (expected.focus) {
        EXPECT_EQ(name(driver.focused()), name(*expected.focus));
    }
    if (expected.page) {
        EXPECT_EQ(name(driver.shown_page()), name(*expected.page));
    }
    std::vector<std::u16string> shown;
    for (const RecordingMessageBoxes::Shown& message : driver.messages()) {
        EXPECT_EQ(message.title, texts::kErrorTitle);
        shown.push_back(message.text);
    }
    EXPECT_EQ(shown, expected.messages);
    for (const Control box : expected.showing_start) {
        EXPECT_TRUE(driver.shows_start(box)) << name(box) << " shows no start";
    }
}

class ScenarioTest : public testing::Test {
  public:
    ScenarioTest(const Scenario& scenario, std::unique_ptr<Driver> driver)
        : scenario_(scenario), driver_(std::move(driver)) {}

    void TestBody() override {
        for (const Step& step : scenario_.steps) {
            act(*driver_, step);
            ASSERT_TRUE(driver_->running() || !scenario_.expected.running) << "the program ended";
        }
        check(*driver_, scenario_.expected);
    }

  private:
    const Scenario& scenario_;
    std::unique_ptr<Driver> driver_;
};

class InvariantTest : public testing::Test {
  public:
    InvariantTest(const Invariant& invariant, std::unique_ptr<Driver> driver)
        : invariant_(invariant), driver_(std::move(driver)) {}

    void TestBody() override { invariant_.check(*driver_); }

  private:
    const Invariant& invariant_;
    std::unique_ptr<Driver> driver_;
};

}  // namespace

void register_scenarios(const char* suite, std::function<std::unique_ptr<Driver>()> make) {
    for (const Scenario& scenario : scenarios()) {
        testing::RegisterTest(
            suite, scenario.name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
            [&scenario, make]() -> testing::Test* { return new ScenarioTest(scenario, make()); });
    }
    for (const Invariant& invariant : invariants()) {
        testing::RegisterTest(suite, invariant.name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                              [&invariant, make]() -> testing::Test* {
                                  return new InvariantTest(invariant, make());
                              });
    }
}

}  // namespace pelmora::conformance
