#ifndef PELMORA_MESSAGE_BOXES_H
#define PELMORA_MESSAGE_BOXES_H

#include <QPointer>
#include <QString>
#include <QWidget>

namespace pelmora {

// The modal message boxes of the program: a title, a message, one OK button and no icon. The
// windows show them through this interface, so that tests can answer them without a modal loop.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // Returns once the user has closed the box.
    virtual void show(const QString& title, const QString& text) = 0;
};

// The real boxes, modal over the given window.
class ModalMessageBoxes : public MessageBoxes {
  public:
    void set_owner(QWidget* owner) { owner_ = owner; }
    void show(const QString& title, const QString& text) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace pelmora

#endif
