#include "form/main_form.h"
#include "form/pelmora_sub.h"
#include "form/results.h"
#include "form/texts.h"

namespace pelmora {

// Page 1, Frame1: the offered traffic in erlangs of a day's calls (Text2), their mean call time
// in minutes (Text3) and the daily operating time in hours (Text4), shown in Text5 and handed on
// to the required-lines page's traffic box Text6. No engine search: the page writes no notice.
void MainForm::Command1_Click() {
    if (!not_empty(Control::Text2, texts::kCallsMissing) ||
        !not_empty(Control::Text3, texts::kCallTimeMissing) ||
        !not_empty(Control::Text4, texts::kOperatingTimeMissing) ||
        !positive(Control::Text4, texts::kOperatingTimeInvalid)) {
        return;
    }
    const double calls = value(Control::Text2);
    const double minutes = value(Control::Text3);
    const double hours = value(Control::Text4);
    const double traffic = PelmoraSUB::cal_erlang(calls, minutes, hours);
    if (!all_finite({calls, minutes, hours, traffic})) {
        return no_answer(Control::Text2);
    }
    write(Control::Text5, shown_without_blank(traffic));
    copy(Control::Text5, Control::Text6);
    focus(Control::Text2);
}

}  // namespace pelmora
