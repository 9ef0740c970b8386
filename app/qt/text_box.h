#ifndef PELMORA_TEXT_BOX_H
#define PELMORA_TEXT_BOX_H

#include <QLineEdit>

namespace pelmora {

// A single-line box that shows the start of its text whenever the focus is not in it, and the
// start of what it holds when the focus comes by Tab. Qt would leave the view at the caret, which
// its select-all on Tab puts at the end: an answer wider than its box would show only its last
// digits, and the processable-calls answer, padded with blanks, nothing.
class TextBox : public QLineEdit {
    Q_OBJECT

  public:
    explicit TextBox(QWidget* parent = nullptr);

    // Puts the caret at the start, and the view with it.
    void show_start();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace pelmora

#endif
