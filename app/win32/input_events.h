#ifndef PELMORA_WIN32_INPUT_EVENTS_H
#define PELMORA_WIN32_INPUT_EVENTS_H

#include <windows.h>

#include "form/input.h"

// Windows's messages in the form's terms.
namespace pelmora {

// A WM_KEYDOWN or WM_SYSKEYDOWN, with the modifiers held when it was posted.
input::KeyDown key_down(const MSG& message);

bool is_key_down(UINT message);

// Any mouse button going down, in a window's client area or on its frame.
bool is_mouse_down(UINT message);

// Where the focus went from a control of `window`.
input::FocusTarget focus_target(HWND window, HWND to);

}  // namespace pelmora

#endif
