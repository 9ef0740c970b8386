#ifndef PELMORA_WIN32_INPUT_METHOD_H
#define PELMORA_WIN32_INPUT_METHOD_H

#include <windows.h>

namespace pelmora {

// Whether an input method is composing for the thread's windows. Wine's edit shows a composition
// as its own text, though the user has not handed it over yet; Windows's does not.
bool composing(HWND box);

// Commits the composition in progress in the box with the focus to that box, before the focus
// leaves it, so that the text arrives once, where it was composed; answers whether there was one.
bool settle_composition();

}  // namespace pelmora

#endif
