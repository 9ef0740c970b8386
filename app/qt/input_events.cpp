#include "qt/input_events.h"

namespace pelmora {

namespace {

input::Key key_of(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return input::Key::Enter;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return input::Key::Tab;
        case Qt::Key_PageUp:
            return input::Key::PageUp;
        case Qt::Key_PageDown:
            return input::Key::PageDown;
        case Qt::Key_Left:
            return input::Key::Left;
        case Qt::Key_Right:
            return input::Key::Right;
        case Qt::Key_Up:
            return input::Key::Up;
        case Qt::Key_Down:
            return input::Key::Down;
        case Qt::Key_Home:
            return input::Key::Home;
        case Qt::Key_End:
            return input::Key::End;
        case Qt::Key_Escape:
            return input::Key::Escape;
        default:
            return input::Key::Other;
    }
}

}  // namespace

input::KeyDown key_down(const QKeyEvent& key, bool repeat) {
    const Qt::KeyboardModifiers held = key.modifiers();
    // Some desktops hand Shift+Tab over as Backtab without Shift.
    const bool shift = (held & Qt::ShiftModifier) != 0 || key.key() == Qt::Key_Backtab;
    return {key_of(key.key()),
            {shift, (held & Qt::ControlModifier) != 0, (held & Qt::AltModifier) != 0},
            repeat};
}

// Qt says why the focus left, not where it went: it names leaving for another window, for a
// context menu and for the menu bar.
input::FocusTarget focus_target(Qt::FocusReason reason) {
    switch (reason) {
        case Qt::ActiveWindowFocusReason:
            return input::FocusTarget::OtherWindow;
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
            return input::FocusTarget::Menu;
        default:
            return input::FocusTarget::ThisWindow;
    }
}

}  // namespace pelmora
