#include <utility>

#include "form/main_form.h"
#include "form/texts.h"

namespace pelmora {

// An input method that still composes when the focus moves would hand its text over to the box
// the focus went to, or, on some toolkits, to both; one that composes under a window opening over
// it would hand it over into that window's loop.

void MainForm::focus(Control control) {
    window_.commit_composition();
    window_.set_focus(control);
}

void MainForm::tell(std::u16string_view message) {
    window_.commit_composition();
    window_.message_box(texts::kErrorTitle, message);
}

void MainForm::select_tab(int index) {
    window_.commit_composition();
    window_.select_tab(index);
}

void MainForm::show_frame(Control frame) {
    window_.commit_composition();
    window_.show_page(frame);
}

void MainForm::after_this_event(std::function<void()> then) {
    if (after_event_.leave(std::move(then))) {
        window_.wake_after_event();
    }
}

}  // namespace pelmora
