#ifndef PELMORA_WIN32_SYSTEM_COLOURS_H
#define PELMORA_WIN32_SYSTEM_COLOURS_H

#include <windows.h>

namespace pelmora {

// Whether a message to a top-level window says that the colours it paints with may have changed:
// the system's colours, the high-contrast setting or the visual style.
bool colours_changed(UINT message, WPARAM w);

// Whether the user has a high-contrast scheme on.
bool high_contrast();

// Paints a window and every control in it afresh, backgrounds and borders included, with the
// colours as they now are: what the program colours itself is decided again as it is painted.
void repaint_all(HWND window);

}  // namespace pelmora

#endif
