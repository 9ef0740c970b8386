#include "form/layout.h"
#include "form/main_form.h"

namespace pelmora {

// A box the focus has left shows the start of its text, where an answer wider than the box
// begins; the caret would otherwise keep the view wherever the user left it.
void MainForm::LostFocus(Control control) {
    if (layout::placement_of(control).kind == layout::Kind::TextBox) {
        window_.show_start(control);
    }
}

}  // namespace pelmora
