#include "win32/input_events.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace pelmora {

namespace {

using input::Key;

constexpr std::pair<WPARAM, Key> kKeys[] = {
    {VK_RETURN, Key::Enter}, {VK_SPACE, Key::Space},   {VK_TAB, Key::Tab},
    {VK_PRIOR, Key::PageUp}, {VK_NEXT, Key::PageDown}, {VK_LEFT, Key::Left},
    {VK_RIGHT, Key::Right},  {VK_UP, Key::Up},         {VK_DOWN, Key::Down},
    {VK_HOME, Key::Home},    {VK_END, Key::End},       {VK_ESCAPE, Key::Escape}};

// The key state as of the message being handled, not as the keyboard is now.
bool held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

input::KeyDown key_down(const MSG& message) {
    constexpr LPARAM kWasDown = 1 << 30;
    return {input::key_of(message.wParam, kKeys),
            {held(VK_SHIFT), held(VK_CONTROL), held(VK_MENU)},
            (message.lParam & kWasDown) != 0};
}

bool is_key_down(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

bool is_mouse_down(UINT message) {
    constexpr UINT kPresses[] = {
        WM_LBUTTONDOWN,   WM_LBUTTONDBLCLK,   WM_RBUTTONDOWN,   WM_RBUTTONDBLCLK,
        WM_MBUTTONDOWN,   WM_MBUTTONDBLCLK,   WM_XBUTTONDOWN,   WM_XBUTTONDBLCLK,
        WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK,
        WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK, WM_NCXBUTTONDOWN, WM_NCXBUTTONDBLCLK};
    return std::find(std::begin(kPresses), std::end(kPresses), message) != std::end(kPresses);
}

input::FocusTarget focus_target(HWND window, HWND to) {
    return to == window || IsChild(window, to) ? input::FocusTarget::ThisWindow
                                               : input::FocusTarget::OtherWindow;
}

}  // namespace pelmora
