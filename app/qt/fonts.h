#ifndef PELMORA_FONTS_H
#define PELMORA_FONTS_H

#include <QFont>

#include "form/layout.h"

namespace pelmora {

// A stored font: the program's Japanese face at its size, or the window's default font. The face
// is tried first, then faces with the same metrics (IPAPGothic) or another Japanese gothic, so
// that a machine without it still draws Japanese.
QFont font_of(layout::Font font);

}  // namespace pelmora

#endif
