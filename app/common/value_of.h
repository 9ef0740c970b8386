#ifndef PELMORA_VALUE_OF_H
#define PELMORA_VALUE_OF_H

#include <QLineEdit>

#include "common/box_value.h"
#include "common/qt_text.h"

namespace pelmora {

// The value of a box, read afresh from its text.
inline double value_of(const QLineEdit* box) {
    return box_value(utf16(box->text()));
}

}  // namespace pelmora

#endif
