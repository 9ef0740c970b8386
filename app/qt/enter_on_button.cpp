#include "qt/enter_on_button.h"

#include <QKeyEvent>

namespace pelmora {

EnterOnButton::EnterOnButton(QObject* parent, std::initializer_list<QPushButton*> buttons)
    : QObject(parent) {
    for (QPushButton* button : buttons) {
        button->installEventFilter(this);
    }
}

bool EnterOnButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // Ctrl+ and Alt+Enter are no Enter, as on Windows.
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return false;
    }
    // Enter that moved the focus here from the last box and is held down repeats onto the
    // button; only a fresh press calculates.
    if (!key->isAutoRepeat()) {
        static_cast<QPushButton*>(watched)->click();
    }
    return true;
}

}  // namespace pelmora
