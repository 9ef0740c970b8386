#ifndef PELMORA_WIN32_MESSAGE_BOXES_H
#define PELMORA_WIN32_MESSAGE_BOXES_H

#include <windows.h>

#include "form/message_boxes.h"

namespace pelmora {

// The real boxes, modal over their owner.
class ModalMessageBoxes final : public MessageBoxes {
  public:
    void set_owner(HWND owner) { owner_ = owner; }
    void show(std::u16string_view title, std::u16string_view text) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace pelmora

#endif
