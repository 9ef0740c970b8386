#include "form/main_form.h"
#include "form/texts.h"

namespace pelmora {

bool MainForm::not_empty(Control box, std::u16string_view message) {
    return judge(box, !window_.text(box).empty(), message);
}

bool MainForm::positive(Control box, std::u16string_view message) {
    return judge(box, value(box) > 0, message);
}

bool MainForm::judge(Control box, bool passes, std::u16string_view message) {
    if (passes) {
        window_.mark(box, Mark::Accepted);
        return true;
    }
    window_.mark(box, Mark::Error);
    tell(message);
    focus(box);
    return false;
}

}  // namespace pelmora
