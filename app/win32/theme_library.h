#ifndef PELMORA_WIN32_THEME_LIBRARY_H
#define PELMORA_WIN32_THEME_LIBRARY_H

#include <windows.h>

#include <uxtheme.h>

// The visual-style library, loaded from the system folder when first asked for and never from
// the program's own: a UxTheme.dll planted beside the program, in a download folder say, is
// never loaded. Where the library cannot be had, nothing is drawn by a style.
namespace pelmora::theme {

// Whether a visual style draws this program's controls.
bool app_themed();

// The style a control draws with, or none.
HTHEME window_theme(HWND window);

void set_window_theme(HWND window, const wchar_t* application, const wchar_t* classes);

}  // namespace pelmora::theme

#endif
