#include "main_window/linked_boxes.h"

#include "common/qt_text.h"
#include "common/texts.h"
#include "common/value_of.h"
#include "common/write_box.h"

namespace pelmora {

namespace {

// Writing the text a box already holds is no change and runs no reaction.
void copy_text(const QLineEdit* from, QLineEdit* to) {
    if (to->text() != from->text()) {
        write_box(to, from->text());
    }
}

}  // namespace

LinkedBoxes::LinkedBoxes(const Controls& controls, MessageBoxes& messages, QObject* parent)
    : QObject(parent), c_(controls), messages_(messages) {
    connect(c_.Text3, &QLineEdit::textChanged, this, &LinkedBoxes::Text3_Change);
    connect(c_.Text11, &QLineEdit::textChanged, this, &LinkedBoxes::Text11_Change);
    connect(c_.Text8, &QLineEdit::textChanged, this, &LinkedBoxes::Text8_Change);
    connect(c_.Text10, &QLineEdit::textChanged, this, &LinkedBoxes::Text10_Change);
    connect(c_.Text7, &QLineEdit::textChanged, this, &LinkedBoxes::Text7_Change);
    connect(c_.Text9, &QLineEdit::textChanged, this, &LinkedBoxes::Text9_Change);
}

void LinkedBoxes::Text3_Change() {
    copy_text(c_.Text3, c_.Text11);
}

void LinkedBoxes::Text11_Change() {
    copy_text(c_.Text11, c_.Text3);
}

void LinkedBoxes::Text8_Change() {
    copy_text(c_.Text8, c_.Text10);
}

void LinkedBoxes::Text10_Change() {
    copy_text(c_.Text10, c_.Text8);
}

void LinkedBoxes::Text7_Change() {
    loss_probability_changed(c_.Text7, c_.Text9);
}

void LinkedBoxes::Text9_Change() {
    loss_probability_changed(c_.Text9, c_.Text7);
}

void LinkedBoxes::loss_probability_changed(QLineEdit* box, QLineEdit* twin) {
    if (value_of(box) >= 1) {
        messages_.show(qt(texts::kErrorTitle), qt(texts::kLossProbabilityAtMostOne));
        box->setText(QString());
        return;
    }
    copy_text(box, twin);
}

}  // namespace pelmora
