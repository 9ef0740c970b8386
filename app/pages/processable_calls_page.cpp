#include "pages/processable_calls_page.h"

#include "common/number_text.h"
#include "common/qt_text.h"
#include "common/value_of.h"
#include "common/write_box.h"
#include "pages/calculation.h"
#include "pages/input_checks.h"

namespace pelmora {

namespace {

constexpr qsizetype kResultWidth = 256;

}  // namespace

ProcessableCallsPage::ProcessableCallsPage(const Controls& controls, MessageBoxes& messages,
                                           EngineBinding& engine, QObject* parent)
    : QObject(parent), c_(controls), messages_(messages), engine_(engine) {
    connect(c_.Command3, &QPushButton::clicked, this, &ProcessableCallsPage::Command3_Click);
}

void ProcessableCallsPage::Command3_Click() {
    InputChecks check(messages_);
    if (!check.not_empty(c_.Text9, "呼損率を入力して下さい") ||
        !check.not_empty(c_.Text10, "必要回線数を入力して下さい") ||
        !check.not_empty(c_.Text11, "平均通話時間を入力して下さい") ||
        !check.positive(c_.Text9, "呼損率を０以上で正しく入力して下さい") ||
        !check.positive(c_.Text10, "必要回線数を０以上で正しく入力して下さい") ||
        !check.positive(c_.Text11, "平均通話時間を０以上で正しく入力して下さい")) {
        return;
    }
    Calculation calculation(messages_, c_.Text1, c_.Text9);
    const double loss = value_of(c_.Text9);
    const double lines = value_of(c_.Text10);
    const double minutes = value_of(c_.Text11);
    const auto calls =
        calculation.search([&] { return engine_.cal_traffic(loss, lines, minutes); });
    if (!calls) {
        return;
    }
    if (!Calculation::all_finite({loss, lines, minutes, *calls})) {
        calculation.no_answer();
        return;
    }
    // The number text keeps its leading blank here.
    write_box(c_.Text12, QString::fromStdString(number_text(*calls)).leftJustified(kResultWidth));
    calculation.finish();
}

}  // namespace pelmora
