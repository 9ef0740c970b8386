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
    show_frame(Control::Frame1);
    // The status bar has the lowest tab index but takes no focus; its focus reaction shows the
    // box's help once the window is shown.
    focus(Control::Text2);
}

namespace {

// The pages in the order of their tabs: each one's frame and first box.
struct Page {
    Control frame;
    Control first_box;
};
constexpr Page kPages[] = {{Control::Frame1, Control::Text2},
                           {Control::Frame2, Control::Text6},
                           {Control::Frame3, Control::Text9}};
constexpr int kPageCount = static_cast<int>(std::size(kPages));

}  // namespace

void MainForm::TabStrip1_Click(std::u16string_view caption) {
    write(Control::Text1, u"");
    const auto tabs = layout::tabs();
    for (int i = 0; i < kPageCount; ++i) {
        if (caption == tabs[static_cast<std::size_t>(i)].caption) {
            show_page(kPages[i].frame, kPages[i].first_box);
        }
    }
}

// The page keys select the next page's tab, or the previous one's, round the three, as a click on
// it does.
void MainForm::PageKey_KeyDown(bool backward) {
    select_tab((shown_tab() + (backward ? kPageCount - 1 : 1)) % kPageCount);
}

int MainForm::shown_tab() const {
    int shown = 0;
    while (shown < kPageCount - 1 && kPages[shown].frame != window_.shown_page()) {
        ++shown;
    }
    return shown;
}

void MainForm::show_page(Control frame, Control first_box) {
    show_frame(frame);
    focus(first_box);
}

void MainForm::about_Click() {
    window_.commit_composition();
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
