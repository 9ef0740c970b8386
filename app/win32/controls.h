#ifndef PELMORA_WIN32_CONTROLS_H
#define PELMORA_WIN32_CONTROLS_H

#include <windows.h>

#include <string_view>

#include "form/layout.h"

namespace pelmora {

// Creates a control of a stored kind, as every window of the program has it, at no place yet,
// hidden unless `visible`. Each focusable control is a group of its own, so that the arrow keys do
// not walk from button to button; every sibling clips the others, so that the stacking decides
// what shows. The status bar docks itself.
HWND create_control(HWND parent, HINSTANCE instance, layout::Kind kind, layout::Align align,
                    std::u16string_view caption, int id, bool visible);

}  // namespace pelmora

#endif
