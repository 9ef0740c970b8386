#include "main_window/help_on_focus.h"

#include <QEvent>

#include "common/qt_text.h"
#include "common/texts.h"

namespace pelmora {

HelpOnFocus::HelpOnFocus(HelpPanel* panel, std::initializer_list<QWidget*> controls)
    : QObject(panel), panel_(panel) {
    for (QWidget* control : controls) {
        control->installEventFilter(this);
    }
}

bool HelpOnFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (const auto help = texts::help_text(watched->objectName().toStdString())) {
            panel_->setText(qt(*help));
        }
    }
    return false;
}

}  // namespace pelmora
