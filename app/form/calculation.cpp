#include "form/main_form.h"
#include "form/texts.h"

namespace pelmora {

std::optional<double> MainForm::search(Control first_box,
                                       const std::function<EngineAnswer()>& call) {
    write(Control::Text1, texts::wait_text());
    // The notice is painted before the search, which holds the window until it ends.
    window_.handle_waiting_events();
    const EngineAnswer answer = call();
    if (!answer.value) {
        std::u16string message(texts::kLibraryMissing);
        message += texts::kLineBreak;
        message += answer.failure;
        tell(message);
        finish(first_box);
    }
    return answer.value;
}

void MainForm::no_answer(Control first_box) {
    tell(texts::kNoAnswer);
    finish(first_box);
}

void MainForm::finish(Control first_box) {
    write(Control::Text1, u"");
    focus(first_box);
}

}  // namespace pelmora
