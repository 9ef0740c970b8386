#include "win32/message_loop.h"

#include "win32/input_events.h"
#include "win32/main_window.h"

namespace pelmora {

// Keys and presses reach the form before the dialog manager or a control sees them; a key the form
// takes is not translated into characters either.
void handle_message(MainWindow& window, MSG& message) {
    HWND main = window.handle();
    const bool in_window = message.hwnd == main || IsChild(main, message.hwnd);
    if (in_window && is_key_down(message.message) && window.key_down(message)) {
        // A key with Alt still goes by the default handling, which takes it for no Alt alone: the
        // release of Alt would otherwise open the menu bar and take the keys that follow.
        if (message.message == WM_SYSKEYDOWN) {
            DefWindowProcW(message.hwnd, message.message, message.wParam, message.lParam);
        }
        return;
    }
    if (in_window && is_mouse_down(message.message) && window.mouse_down()) {
        return;
    }
    if (in_window && IsDialogMessageW(main, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int run_message_loop(MainWindow& window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        handle_message(window, message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace pelmora
