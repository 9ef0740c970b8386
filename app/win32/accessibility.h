#ifndef PELMORA_WIN32_ACCESSIBILITY_H
#define PELMORA_WIN32_ACCESSIBILITY_H

#include <windows.h>

#include <functional>
#include <string_view>

namespace pelmora {

class MainWindow;

// Sets one property (a PROPID_ACC_ identifier) of a control's own accessible object.
using Annotate = std::function<void(HWND control, const GUID& property, std::u16string_view text)>;

// Names every box for screen readers as its label reads without the colon, gives every box and
// calculate button its help text, and names the help panel, through the accessibility annotation
// service. Where the service is missing, the boxes still take their names from the labels that
// stand right before them.
void describe_for_screen_readers(const MainWindow& window);

// The same annotations, each handed to `annotate`.
void describe_for_screen_readers(const MainWindow& window, const Annotate& annotate);

}  // namespace pelmora

#endif
