#ifndef PELMORA_WRITE_BOX_H
#define PELMORA_WRITE_BOX_H

#include <QLineEdit>
#include <QString>

namespace pelmora {

// Writes a box's text as the program writes every result and every copy into a twin: with the
// start of the text in view. Qt leaves the caret, and with it the view, at the end, where a long
// line count shows only its last digits and the processable-calls answer, padded with blanks to
// 256 characters, shows nothing at all.
inline void write_box(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(0);
}

}  // namespace pelmora

#endif
