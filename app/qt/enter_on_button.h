#ifndef PELMORA_ENTER_ON_BUTTON_H
#define PELMORA_ENTER_ON_BUTTON_H

#include <QObject>
#include <QPushButton>
#include <initializer_list>

namespace pelmora {

// Enter (main or keypad) on a focused push button presses it, exactly as a click does; Space
// keeps working as Qt has it. The buttons stay ordinary, not default buttons, so Enter in a box
// still only moves the focus on.
class EnterOnButton : public QObject {
    Q_OBJECT

  public:
    EnterOnButton(QObject* parent, std::initializer_list<QPushButton*> buttons);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace pelmora

#endif
