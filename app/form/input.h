#ifndef PELMORA_FORM_INPUT_H
#define PELMORA_FORM_INPUT_H

#include <cstddef>
#include <utility>

// The user's input as every toolkit can report it, free of any toolkit's key codes: a front end
// translates its events into these and the form decides what they mean.
namespace pelmora::input {

// The keys whose meaning the form decides; every other key is the control's own. Enter is the main
// key and the keypad's alike.
// clang-format off
enum class Key {
    Enter, Space, Tab, PageUp, PageDown, Left, Right, Up, Down, Home, End, Escape, Other
};
// clang-format on

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

struct KeyDown {
    Key key = Key::Other;
    Modifiers modifiers;
    // The key was already down: the keyboard repeats it.
    bool repeat = false;
};

// A toolkit's key code looked up in its table of the keys above.
template <class Code, std::size_t Count>
constexpr Key key_of(Code code, const std::pair<Code, Key> (&table)[Count]) {
    for (const auto& [known, key] : table) {
        if (known == code) {
            return key;
        }
    }
    return Key::Other;
}

// Where the focus went when it left a control.
enum class FocusTarget {
    // Another control of the window, or the window itself.
    ThisWindow,
    // Another window: a message box, the about window, another program.
    OtherWindow,
    // The menu bar, or a context menu, which give the focus back where it was.
    Menu,
};

}  // namespace pelmora::input

#endif
