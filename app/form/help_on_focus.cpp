#include "form/main_form.h"
#include "form/texts.h"

namespace pelmora {

// The focus reaction of the boxes Text2 to Text12 and the buttons Command1 to Command3: whatever
// moved the focus there, the help panel is overwritten with the control's help text. Focus on any
// other control leaves the panel as it is.
void MainForm::help_on_focus(Control control) {
    if (const auto help = texts::help_text(control)) {
        write(Control::Text1, *help);
    }
}

}  // namespace pelmora
