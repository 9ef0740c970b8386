#include "main_window/enter_navigation.h"

#include <QKeyEvent>

namespace pelmora {

EnterNavigation::EnterNavigation(QObject* parent, std::initializer_list<Move> moves)
    : QObject(parent), moves_(moves) {
    for (const Move& move : moves_) {
        move.first->installEventFilter(this);
    }
}

bool EnterNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    for (const Move& move : moves_) {
        if (move.first == watched) {
            move.second->setFocus(Qt::OtherFocusReason);
        }
    }
    return false;
}

}  // namespace pelmora
