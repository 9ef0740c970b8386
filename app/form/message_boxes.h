#ifndef PELMORA_FORM_MESSAGE_BOXES_H
#define PELMORA_FORM_MESSAGE_BOXES_H

#include <string_view>

namespace pelmora {

// The program's modal message boxes: a title, a message, one OK button and no icon, owned by the
// main window. The windows show them through this interface, so that tests can answer them
// without a modal loop.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Returns once the user has closed the box.
    virtual void show(std::u16string_view title, std::u16string_view text) = 0;
};

}  // namespace pelmora

#endif
