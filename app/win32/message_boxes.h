#ifndef PELMORA_WIN32_MESSAGE_BOXES_H
#define PELMORA_WIN32_MESSAGE_BOXES_H

#include <windows.h>

#include <string_view>

namespace pelmora {

// The modal message boxes of the program: a title, a message, one OK button and no icon, owned by
// the main window. The window shows them through this interface, so that tests can answer them
// without a modal loop.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // Returns once the user has closed the box.
    virtual void show(HWND owner, std::u16string_view title, std::u16string_view text) = 0;
};

class ModalMessageBoxes final : public MessageBoxes {
  public:
    void show(HWND owner, std::u16string_view title, std::u16string_view text) override;
};

}  // namespace pelmora

#endif
