#ifndef PELMORA_ACCESSIBILITY_H
#define PELMORA_ACCESSIBILITY_H

#include "main_window/controls.h"

namespace pelmora {

// Ties every label to its box (no access key comes of it, the captions carry none). Every box is
// named by its label's caption without the colon and blanks ("呼数 ：" is read "呼数"), every box
// and calculate button is described by its help text, and the help panel gets a name. Without
// this a screen reader announces each box by its frame's caption.
void describe_for_screen_readers(const Controls& c);

}  // namespace pelmora

#endif
