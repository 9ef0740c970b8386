#include "qt/text_box.h"

#include <QFocusEvent>

namespace pelmora {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

// Qt moves the view only while it paints. A text that has shrunk far below the view's old offset
// (a long paste undone, a long text replaced by an answer still wider than the box) is first
// aligned at its end, and reaches the start at the next paint: the first one is done here.
void TextBox::show_start() {
    setCursorPosition(0);
    repaint();
    update();
}

// Everything stays selected, as Qt selects it on Tab, but from the end back to the caret at the
// start.
void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason) {
        const auto length = static_cast<int>(text().size());
        setSelection(length, -length);
    }
}

// Leaving for another window (a message box, the about window, another program), for the box's
// own context menu or for the menu bar (Alt), the box stays as it is, to be found so on return.
void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MenuBarFocusReason) {
        show_start();
    }
}

}  // namespace pelmora
