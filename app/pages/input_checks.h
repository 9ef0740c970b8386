#ifndef PELMORA_INPUT_CHECKS_H
#define PELMORA_INPUT_CHECKS_H

#include <QLineEdit>
#include <string_view>

#include "common/message_boxes.h"

namespace pelmora {

// The checks of one press of a calculate button, run in the page's order. A box that passes a
// check gets the accepted mark (a white background) at once; the first box that fails gets the
// input error report: a red background, a modal "Error" box with the check's message, and then
// the focus. Each check answers whether it passed, so that a page stops at the first failure and
// the boxes after it keep their colours.
class InputChecks {
  public:
    explicit InputChecks(MessageBoxes& messages) : messages_(messages) {}

    // Fails on the empty text; a text of blanks is not empty.
    bool not_empty(QLineEdit* box, std::string_view message);

    // Fails unless the box's value is above 0: a value of 0 (any text that does not begin with a
    // number) or a negative one makes no sense for the quantities checked.
    bool positive(QLineEdit* box, std::string_view message);

  private:
    bool judge(QLineEdit* box, bool passes, std::string_view message);

    MessageBoxes& messages_;
};

}  // namespace pelmora

#endif
