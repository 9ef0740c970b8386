#ifndef PELMORA_QT_INPUT_EVENTS_H
#define PELMORA_QT_INPUT_EVENTS_H

#include <QKeyEvent>

#include "form/input.h"

// Qt's events in the form's terms.
namespace pelmora {

input::KeyDown key_down(const QKeyEvent& key, bool repeat);

input::FocusTarget focus_target(Qt::FocusReason reason);

}  // namespace pelmora

#endif
