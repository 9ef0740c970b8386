#include "qt/message_boxes.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace pelmora {

void ModalMessageBoxes::show(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner_);
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    // The window system may hand the keyboard back to no window at all (there is none to do it
    // on a bare X server), and then the focus the caller sets next, with its help text, would
    // never arrive. Take it back here.
    if (owner_ != nullptr) {
        owner_->activateWindow();
    }
}

}  // namespace pelmora
