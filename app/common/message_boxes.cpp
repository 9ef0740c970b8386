#include "message_boxes.h"

#include <QMessageBox>

namespace pelmora {

void ModalMessageBoxes::show(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace pelmora
