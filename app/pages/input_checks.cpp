#include "pages/input_checks.h"

#include <QColor>
#include <QPalette>

#include "common/qt_text.h"
#include "common/texts.h"
#include "common/value_of.h"

namespace pelmora {

namespace {

const QColor kAccepted(255, 255, 255);
const QColor kRejected(255, 0, 0);
// Reads well on both marks. The theme's own text colour may be light on a dark desktop theme,
// which would vanish on the white mark.
const QColor kMarkedText(0, 0, 0);

void set_background(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Text, kMarkedText);
    box->setPalette(palette);
}

}  // namespace

bool InputChecks::not_empty(QLineEdit* box, std::string_view message) {
    return judge(box, !box->text().isEmpty(), message);
}

bool InputChecks::positive(QLineEdit* box, std::string_view message) {
    return judge(box, value_of(box) > 0, message);
}

bool InputChecks::judge(QLineEdit* box, bool passes, std::string_view message) {
    if (passes) {
        set_background(box, kAccepted);
        return true;
    }
    set_background(box, kRejected);
    messages_.show(qt(texts::kErrorTitle), qt(message));
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

}  // namespace pelmora
