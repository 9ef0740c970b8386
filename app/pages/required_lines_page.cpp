#include "pages/required_lines_page.h"

#include "common/qt_text.h"
#include "common/value_of.h"
#include "common/write_box.h"
#include "pages/calculation.h"
#include "pages/input_checks.h"

namespace pelmora {

RequiredLinesPage::RequiredLinesPage(const Controls& controls, MessageBoxes& messages,
                                     EngineBinding& engine, QObject* parent)
    : QObject(parent), c_(controls), messages_(messages), engine_(engine) {
    connect(c_.Command2, &QPushButton::clicked, this, &RequiredLinesPage::Command2_Click);
}

void RequiredLinesPage::Command2_Click() {
    InputChecks check(messages_);
    if (!check.not_empty(c_.Text6, "呼量を入力して下さい") ||
        !check.positive(c_.Text6, "呼量を０以上で正しく入力して下さい") ||
        !check.not_empty(c_.Text7, "呼損率を入力して下さい") ||
        !check.positive(c_.Text7, "呼損率を０以上で正しく入力して下さい")) {
        return;
    }
    Calculation calculation(messages_, c_.Text1, c_.Text6);
    const double traffic = value_of(c_.Text6);
    const double loss = value_of(c_.Text7);
    const auto lines = calculation.search([&] { return engine_.cal_trunk(traffic, loss); });
    if (!lines) {
        return;
    }
    if (!Calculation::all_finite({traffic, loss, *lines})) {
        calculation.no_answer();
        return;
    }
    write_box(c_.Text8, shown_without_blank(*lines));
    calculation.finish();
}

}  // namespace pelmora
