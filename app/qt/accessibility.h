#ifndef PELMORA_ACCESSIBILITY_H
#define PELMORA_ACCESSIBILITY_H

#include "qt/widgets.h"

namespace pelmora {

// Ties every label to its box (no access key comes of it, the captions carry none), names every
// box as a screen reader should announce it, describes every box and calculate button by its help
// text and names the help panel. Without this a screen reader announces each box by its frame's
// caption.
void describe_for_screen_readers(const Widgets& widgets);

}  // namespace pelmora

#endif
