#include "qt/text_box.h"

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

}  // namespace pelmora
