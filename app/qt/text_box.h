#ifndef PELMORA_TEXT_BOX_H
#define PELMORA_TEXT_BOX_H

#include <QLineEdit>

namespace pelmora {

// A single-line box whose caret, and view, can be put at the start of its text at once.
class TextBox : public QLineEdit {
    Q_OBJECT

  public:
    explicit TextBox(QWidget* parent = nullptr);

    // Puts the caret at the start, and the view with it.
    void show_start();
};

}  // namespace pelmora

#endif
