#ifndef PELMORA_FONTS_H
#define PELMORA_FONTS_H

#include <QFont>

namespace pelmora {

// The program's Japanese face: the families are tried in order, so a machine without the first
// uses one with the same metrics (IPAPGothic) or another Japanese gothic.
QFont japanese_font(double points, bool bold = false);

}  // namespace pelmora

#endif
