#include "form/main_form.h"
#include "form/results.h"
#include "form/texts.h"

namespace pelmora {

// Page 2, Frame2: the number of lines that a traffic in erlangs (Text6) needs at a loss
// probability (Text7), from the engine's cal_trunk, shown in Text8 on its 0.01-line grid; the
// link carries it on into Text10.
void MainForm::Command2_Click() {
    if (!not_empty(Control::Text6, texts::kTrafficMissing) ||
        !positive(Control::Text6, texts::kTrafficInvalid) ||
        !not_empty(Control::Text7, texts::kLossProbabilityMissing) ||
        !positive(Control::Text7, texts::kLossProbabilityInvalid)) {
        return;
    }
    const double traffic = value(Control::Text6);
    const double loss = value(Control::Text7);
    const auto lines = search(Control::Text6, [&] { return engine_.cal_trunk(traffic, loss); });
    if (!lines) {
        return;
    }
    if (!all_finite({traffic, loss, *lines})) {
        return no_answer(Control::Text6);
    }
    write(Control::Text8, shown_without_blank(*lines));
    finish(Control::Text6);
}

}  // namespace pelmora
