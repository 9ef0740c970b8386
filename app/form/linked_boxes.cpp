#include "form/main_form.h"
#include "form/texts.h"

namespace pelmora {

// The edit reactions that keep three quantities identical on the two pages that show each: the
// mean call time (Text3 and Text11), the number of lines (Text8 and Text10) and the loss
// probability (Text7 and Text9), which refuses a value of 1 or more as soon as it is typed.
//
// A copy writes the twin's text, and the twin's own reaction runs inside that write; it copies the
// same text back, which is no change, and the exchange ends there.
void MainForm::Change(Control box) {
    switch (box) {
        case Control::Text3:
            return Text3_Change();
        case Control::Text11:
            return Text11_Change();
        case Control::Text7:
            return Text7_Change();
        case Control::Text9:
            return Text9_Change();
        case Control::Text8:
            return Text8_Change();
        case Control::Text10:
            return Text10_Change();
        default:
            return;
    }
}

void MainForm::Text3_Change() {
    copy(Control::Text3, Control::Text11);
}

void MainForm::Text11_Change() {
    copy(Control::Text11, Control::Text3);
}

void MainForm::Text8_Change() {
    copy(Control::Text8, Control::Text10);
}

void MainForm::Text10_Change() {
    copy(Control::Text10, Control::Text8);
}

void MainForm::Text7_Change() {
    loss_probability_changed(Control::Text7, Control::Text9);
}

void MainForm::Text9_Change() {
    loss_probability_changed(Control::Text9, Control::Text7);
}

void MainForm::loss_probability_changed(Control box, Control twin) {
    if (value(box) >= 1) {
        after_this_event([this, box, twin] { refuse_loss_probability(box, twin); });
        return;
    }
    copy(box, twin);
}

void MainForm::refuse_loss_probability(Control box, Control twin) {
    if (value(box) < 1) {
        copy(box, twin);
        return;
    }
    // The box still shows the refused text while the message is up.
    tell(texts::kLossProbabilityAtMostOne);
    write(box, u"");
}

}  // namespace pelmora
