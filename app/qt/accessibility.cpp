#include "qt/accessibility.h"

#include <QLabel>

#include "form/layout.h"
#include "form/texts.h"
#include "qt/qt_text.h"

namespace pelmora {

void describe_for_screen_readers(const Widgets& widgets) {
    for (const layout::Placement& placed : layout::main_window()) {
        QWidget* control = widgets.at(placed.control);
        if (const auto label = layout::label_of(placed.control)) {
            static_cast<QLabel*>(widgets.at(*label))->setBuddy(control);
            control->setAccessibleName(qt_string(texts::screen_reader_name(placed.control)));
        }
        if (const auto help = texts::help_text(placed.control)) {
            control->setAccessibleDescription(qt_string(*help));
        }
    }
    widgets.at(Control::Text1)->setAccessibleName(qt_string(texts::kHelpPanelName));
}

}  // namespace pelmora
