#include "qt/input_events.h"

#include <utility>

namespace pelmora {

namespace {

using input::Key;

constexpr std::pair<int, Key> kKeys[] = {
    {Qt::Key_Return, Key::Enter},      {Qt::Key_Enter, Key::Enter},
    {Qt::Key_Space, Key::Space},       {Qt::Key_Tab, Key::Tab},
    {Qt::Key_Backtab, Key::Tab},       {Qt::Key_PageUp, Key::PageUp},
    {Qt::Key_PageDown, Key::PageDown}, {Qt::Key_Left, Key::Left},
    {Qt::Key_Right, Key::Right},       {Qt::Key_Up, Key::Up},
    {Qt::Key_Down, Key::Down},         {Qt::Key_Home, Key::Home},
    {Qt::Key_End, Key::End},           {Qt::Key_Escape, Key::Escape}};

}  // namespace

input::KeyDown key_down(const QKeyEvent& key, bool repeat) {
    const Qt::KeyboardModifiers held = key.modifiers();
    // Some desktops hand Shift+Tab over as Backtab without Shift.
    const bool shift = (held & Qt::ShiftModifier) != 0 || key.key() == Qt::Key_Backtab;
    return {input::key_of(key.key(), kKeys),
            {shift, (held & Qt::ControlModifier) != 0, (held & Qt::AltModifier) != 0},
            repeat};
}

// Qt says why the focus left, not where it went: it names leaving for another window, for a
// context menu and for the menu bar.
input::FocusTarget focus_target(Qt::FocusReason reason) {
    if (reason == Qt::ActiveWindowFocusReason) {
        return input::FocusTarget::OtherWindow;
    }
    return reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason
               ? input::FocusTarget::Menu
               : input::FocusTarget::ThisWindow;
}

}  // namespace pelmora
