#ifndef PELMORA_ACCESSIBILITY_H
#define PELMORA_ACCESSIBILITY_H

#include <QString>

#include "main_window/controls.h"

namespace pelmora {

// What a screen reader says of a box: its label's caption without the colon and the blanks that
// stand before the box ("呼数 ：" is read "呼数").
QString accessible_name_of(const QString& caption);

// Ties every label to its box (no access key comes of it, the captions carry none) and gives
// every box its label's name, every box and calculate button its help text as description, and
// the help panel a name. Without this a screen reader announces each box by its frame's caption.
void describe_for_screen_readers(const Controls& c);

}  // namespace pelmora

#endif
