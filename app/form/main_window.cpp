#include <iterator>

#include "form/box_value.h"
#include "form/layout.h"
#include "form/main_form.h"

namespace pelmora {

void MainForm::Form_Load() {
    write(Control::Text1, u"");
    for (const Control box : {Control::Text2, Control::Text3, Control::Text4, Control::Text5,
                              Control::Text6, Control::Text7, Control::Text8, Control::Text9,
                              Control::Text10, Control::Text11, Control::Text12}) {
        write(box, u"");
    }
    window_.show_page(Control::Frame1);
    // The status bar has the lowest tab index but takes no focus; its focus reaction shows the
    // box's help once the window is shown.
    window_.set_focus(Control::Text2);
}

void MainForm::TabStrip1_Click(std::u16string_view caption) {
    write(Control::Text1, u"");
    const auto tabs = layout::tabs();
    if (caption == tabs[0].caption) {
        show_page(Control::Frame1, Control::Text2);
    } else if (caption == tabs[1].caption) {
        show_page(Control::Frame2, Control::Text6);
    } else if (caption == tabs[2].caption) {
        show_page(Control::Frame3, Control::Text9);
    }
}

// The page keys select the next page's tab, or the previous one's, round the three, as a click on
// it does.
void MainForm::PageKey_KeyDown(bool backward) {
    const Control frames[] = {Control::Frame1, Control::Frame2, Control::Frame3};
    const int count = static_cast<int>(std::size(frames));
    int shown = 0;
    while (shown < count - 1 && frames[shown] != window_.shown_page()) {
        ++shown;
    }
    window_.select_tab((shown + (backward ? count - 1 : 1)) % count);
}

void MainForm::show_page(Control frame, Control first_box) {
    window_.show_page(frame);
    window_.set_focus(first_box);
}

void MainForm::about_Click() {
    window_.open_about();
}

void MainForm::Click(Control button) {
    switch (button) {
        case Control::Command1:
            return Command1_Click();
        case Control::Command2:
            return Command2_Click();
        case Control::Command3:
            return Command3_Click();
        case Control::Command4:
            return Command4_Click();
        default:
            return;
    }
}

void MainForm::Command4_Click() {
    window_.end_program();
}

void MainForm::write(Control box, std::u16string_view text) {
    if (window_.text(box) == text) {
        return;
    }
    window_.set_text(box, text);
    window_.show_start(box);
    Change(box);
}

void MainForm::copy(Control from, Control to) {
    write(to, window_.text(from));
}

double MainForm::value(Control box) const {
    return box_value(window_.text(box));
}

}  // namespace pelmora
