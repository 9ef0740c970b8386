#include "pages/offered_traffic_page.h"

#include "common/qt_text.h"
#include "common/value_of.h"
#include "common/write_box.h"
#include "pages/calculation.h"
#include "pages/input_checks.h"
#include "pages/pelmora_sub.h"

namespace pelmora {

OfferedTrafficPage::OfferedTrafficPage(const Controls& controls, MessageBoxes& messages,
                                       QObject* parent)
    : QObject(parent), c_(controls), messages_(messages) {
    connect(c_.Command1, &QPushButton::clicked, this, &OfferedTrafficPage::Command1_Click);
}

void OfferedTrafficPage::Command1_Click() {
    InputChecks check(messages_);
    if (!check.not_empty(c_.Text2, "呼数を入力して下さい") ||
        !check.not_empty(c_.Text3, "平均通話時間を入力して下さい") ||
        !check.not_empty(c_.Text4, "一日の稼働時間を入力して下さい") ||
        !check.positive(c_.Text4, "一日の稼働時間を時間単位で０以上を入力して下さい")) {
        return;
    }
    const double calls = value_of(c_.Text2);
    const double minutes = value_of(c_.Text3);
    const double hours = value_of(c_.Text4);
    const double traffic = PelmoraSUB::cal_erlang(calls, minutes, hours);
    Calculation calculation(messages_, c_.Text1, c_.Text2);
    if (!Calculation::all_finite({calls, minutes, hours, traffic})) {
        calculation.no_answer();
        return;
    }
    write_box(c_.Text5, shown_without_blank(traffic));
    write_box(c_.Text6, c_.Text5->text());
    c_.Text2->setFocus(Qt::OtherFocusReason);
}

}  // namespace pelmora
