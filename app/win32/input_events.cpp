#include "win32/input_events.h"

namespace pelmora {

namespace {

input::Key key_of(WPARAM key) {
    switch (key) {
        case VK_RETURN:
            return input::Key::Enter;
        case VK_TAB:
            return input::Key::Tab;
        case VK_PRIOR:
            return input::Key::PageUp;
        case VK_NEXT:
            return input::Key::PageDown;
        case VK_LEFT:
            return input::Key::Left;
        case VK_RIGHT:
            return input::Key::Right;
        case VK_UP:
            return input::Key::Up;
        case VK_DOWN:
            return input::Key::Down;
        case VK_HOME:
            return input::Key::Home;
        case VK_END:
            return input::Key::End;
        case VK_ESCAPE:
            return input::Key::Escape;
        default:
            return input::Key::Other;
    }
}

// The key state as of the message being handled, not as the keyboard is now.
bool held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

input::KeyDown key_down(const MSG& message) {
    constexpr LPARAM kWasDown = 1 << 30;
    return {key_of(message.wParam),
            {held(VK_SHIFT), held(VK_CONTROL), held(VK_MENU)},
            (message.lParam & kWasDown) != 0};
}

bool is_key_down(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

bool is_mouse_down(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_XBUTTONDOWN:
        case WM_XBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONDBLCLK:
        case WM_NCXBUTTONDOWN:
        case WM_NCXBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

input::FocusTarget focus_target(HWND window, HWND to) {
    return to == window || IsChild(window, to) ? input::FocusTarget::ThisWindow
                                               : input::FocusTarget::OtherWindow;
}

}  // namespace pelmora
