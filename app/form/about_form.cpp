#include "form/main_form.h"

namespace pelmora {

void AboutForm::Command1_Click() {
    window_.unload();
}

void AboutForm::Frame1_Click(Button button) {
    if (button == Button::Left) {
        window_.unload();
    }
}

// Letters, digits, punctuation, the space bar, Enter, Esc and Backspace close the window. Tab is a
// focus key, not a character, and so is the Delete key, which some toolkits hand over as the
// character DEL.
void AboutForm::Form_KeyPress(char16_t key) {
    constexpr char16_t kTab = 9;
    constexpr char16_t kDel = 127;
    if (key != kTab && key != kDel) {
        window_.unload();
    }
}

// The window has nothing to keep, so it never refuses: refused, it would stay up with the main
// window disabled beneath it.
void AboutForm::Form_QueryUnload() {
    window_.unload();
}

}  // namespace pelmora
