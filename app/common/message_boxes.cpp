#include "message_boxes.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace pelmora {

void ModalMessageBoxes::show(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner_);
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace pelmora
