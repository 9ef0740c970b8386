#include "form/main_form.h"
#include "form/results.h"
#include "form/texts.h"

namespace pelmora {

// Page 3, Frame3: the calls per hour that a number of lines (Text10) carries at a loss
// probability (Text9) and a mean call time in minutes (Text11), from the engine's cal_traffic,
// shown in Text12 padded to 256 characters.
void MainForm::Command3_Click() {
    if (!not_empty(Control::Text9, texts::kLossProbabilityMissing) ||
        !not_empty(Control::Text10, texts::kLinesMissing) ||
        !not_empty(Control::Text11, texts::kCallTimeMissing) ||
        !positive(Control::Text9, texts::kLossProbabilityInvalid) ||
        !positive(Control::Text10, texts::kLinesInvalid) ||
        !positive(Control::Text11, texts::kCallTimeInvalid)) {
        return;
    }
    const double loss = value(Control::Text9);
    const double lines = value(Control::Text10);
    const double minutes = value(Control::Text11);
    const auto calls =
        search(Control::Text9, [&] { return engine_.cal_traffic(loss, lines, minutes); });
    if (!calls) {
        return;
    }
    if (!all_finite({loss, lines, minutes, *calls})) {
        return no_answer(Control::Text9);
    }
    write(Control::Text12, shown_padded(*calls));
    finish(Control::Text9);
}

}  // namespace pelmora
