#include "qt/message_boxes.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

#include "qt/qt_text.h"

namespace pelmora {

void ModalMessageBoxes::show(std::u16string_view title, std::u16string_view text) {
    QMessageBox box(QMessageBox::NoIcon, qt_string(title), qt_string(text), QMessageBox::Ok,
                    owner_);
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
