#ifndef PELMORA_WIN32_WINDOW_ICON_H
#define PELMORA_WIN32_WINDOW_ICON_H

#include <windows.h>

namespace pelmora {

// The program's icon on a window's caption and task button, drawn for the window's DPI. The
// class's icons are the sizes of the DPI the system started at; on a monitor at another scale the
// system would stretch them.
void show_window_icons(HWND window, UINT dpi);

// Destroys the icons show_window_icons gave the window, which it no longer shows.
void drop_window_icons(HWND window);

}  // namespace pelmora

#endif
