#ifndef PELMORA_LINKED_BOXES_H
#define PELMORA_LINKED_BOXES_H

#include <QLineEdit>
#include <QObject>

#include "common/message_boxes.h"
#include "main_window/controls.h"

namespace pelmora {

// The edit reactions that keep three quantities identical on the two pages that show each: the
// mean call time (Text3 and Text11), the number of lines (Text8 and Text10) and the loss
// probability (Text7 and Text9), which refuses a value of 1 or more as soon as it is typed.
//
// A copy writes the twin's text, and the twin's own reaction runs inside that write; it copies the
// same text back, which is no change, and the exchange ends there.
class LinkedBoxes : public QObject {
    Q_OBJECT

  public:
    LinkedBoxes(const Controls& controls, MessageBoxes& messages, QObject* parent);

  private:
    void Text3_Change();
    void Text11_Change();
    void Text8_Change();
    void Text10_Change();
    void Text7_Change();
    void Text9_Change();

    // Refuses a loss probability of 1 or more with a message, then empties the box (whose own
    // reaction carries the empty text to the twin); copies anything else to the twin.
    void loss_probability_changed(QLineEdit* box, QLineEdit* twin);

    const Controls& c_;
    MessageBoxes& messages_;
};

}  // namespace pelmora

#endif
