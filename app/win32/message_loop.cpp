#include "win32/message_loop.h"

#include "win32/main_window.h"

namespace pelmora {

namespace {

bool held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

void handle_message(MainWindow& window, MSG& message) {
    HWND main = window.handle();
    const bool in_window = message.hwnd == main || IsChild(main, message.hwnd);
    const bool key_down = in_window && message.message == WM_KEYDOWN;
    if (key_down && message.wParam == VK_TAB && !held(VK_MENU)) {
        if (held(VK_CONTROL)) {
            window.page_key(held(VK_SHIFT));
        } else {
            window.tab_key(held(VK_SHIFT));
        }
        return;
    }
    if (key_down && (message.wParam == VK_NEXT || message.wParam == VK_PRIOR) && held(VK_CONTROL) &&
        !held(VK_MENU)) {
        window.page_key(message.wParam == VK_PRIOR);
        return;
    }
    // A click anywhere in the window ends a composition in its box before a control takes the
    // focus with it.
    if (in_window &&
        (message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN ||
         message.message == WM_MBUTTONDOWN || message.message == WM_NCLBUTTONDOWN) &&
        window.mouse_down()) {
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
