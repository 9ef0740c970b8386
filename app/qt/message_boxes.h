#ifndef PELMORA_MESSAGE_BOXES_H
#define PELMORA_MESSAGE_BOXES_H

#include <QPointer>
#include <QWidget>

#include "form/message_boxes.h"

namespace pelmora {

// The real boxes, modal over their owner.
class ModalMessageBoxes : public MessageBoxes {
  public:
    void set_owner(QWidget* owner) { owner_ = owner; }
    void show(std::u16string_view title, std::u16string_view text) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace pelmora

#endif
