#include <array>
#include <utility>

#include "form/layout.h"
#include "form/main_form.h"

namespace pelmora {

namespace {

using input::Key;

constexpr char16_t kEnter = 13;
constexpr char16_t kLineFeed = 10;

bool is_box(Control control) {
    const layout::Kind kind = layout::placement_of(control).kind;
    return kind == layout::Kind::TextBox || kind == layout::Kind::HelpPanel;
}

bool is_button(Control control) {
    return layout::placement_of(control).kind == layout::Kind::Button;
}

}  // namespace

// The window's keys, as a property sheet's: Ctrl+Tab and Ctrl+PageDown go to the next page,
// Ctrl+Shift+Tab and Ctrl+PageUp to the previous one, Shift changing nothing on the page keys;
// with Alt they mean nothing, as Ctrl+Alt is AltGr on many keyboards and Alt+Tab the system's.
// Tab and Shift+Tab move the focus by the tab indices. Enter, with or without Shift, moves on in a
// box and presses a button, a held one pressing no button again; with Ctrl or Alt it does nothing
// at all; so does Space on a button. Esc means nothing in a box. On the tab strip, the arrows, Home
// and End select a tab, as a click on it does, and stop at either end.
bool MainForm::KeyDown(Control focused, const input::KeyDown& key) {
    const input::Modifiers& with = key.modifiers;
    switch (key.key) {
        case Key::Tab:
            if (with.alt) {
                return true;
            }
            if (with.ctrl) {
                PageKey_KeyDown(with.shift);
            } else {
                Tab_KeyDown(focused, with.shift);
            }
            return true;
        case Key::PageUp:
        case Key::PageDown:
            if (!with.ctrl || with.alt) {
                return false;
            }
            PageKey_KeyDown(key.key == Key::PageUp);
            return true;
        case Key::Enter:
            if (!is_box(focused) && !is_button(focused)) {
                return false;
            }
            if (!with.ctrl && !with.alt && !(key.repeat && is_button(focused))) {
                KeyPress(focused, kEnter);
            }
            return true;
        case Key::Space:
            return is_button(focused) && (with.ctrl || with.alt);
        case Key::Escape:
            return is_box(focused);
        case Key::Left:
        case Key::Right:
        case Key::Up:
        case Key::Down:
        case Key::Home:
        case Key::End:
            if (focused != Control::TabStrip1) {
                return false;
            }
            if (!with.ctrl && !with.alt) {
                TabStrip1_KeyDown(key.key);
            }
            return true;
        case Key::Other:
            break;
    }
    return false;
}

void MainForm::TabStrip1_KeyDown(input::Key key) {
    const int last = static_cast<int>(layout::tabs().size()) - 1;
    const int shown = shown_tab();
    int next = shown;
    switch (key) {
        case Key::Left:
        case Key::Up:
            next = shown > 0 ? shown - 1 : 0;
            break;
        case Key::Right:
        case Key::Down:
            next = shown < last ? shown + 1 : last;
            break;
        case Key::Home:
            next = 0;
            break;
        case Key::End:
            next = last;
            break;
        default:
            break;
    }
    if (next != shown) {
        select_tab(next);
    }
}

// Enter is decided on its key, which types nothing. A carriage return that comes as a character
// alone (Ctrl+M, a tool that types text) is Enter all the same; a line feed (Ctrl+J) has no place
// in a one-line box or on a button.
bool MainForm::Character(Control control, char16_t character) {
    if ((character != kEnter && character != kLineFeed) ||
        !(is_box(control) || is_button(control))) {
        return false;
    }
    if (character == kEnter) {
        KeyPress(control, kEnter);
    }
    return true;
}

// Leaving for another window, or for a menu, a box stays as it is, to be found so on return.
void MainForm::FocusLeft(Control control, input::FocusTarget to) {
    if (to == input::FocusTarget::ThisWindow) {
        LostFocus(control);
    } else if (to == input::FocusTarget::Menu) {
        left_for_menu_ = control;
    }
}

// A menu that gives the focus to another control than the one it took it from (a tab clicked
// while the menu bar has the keyboard) has moved it away from that control. The menu bar that
// gets the focus back out of use (the window activated again) hands it on to that control.
void MainForm::GotFocus(Control control) {
    const auto left = std::exchange(left_for_menu_, std::nullopt);
    if (control == Control::Pelmora_Main) {
        if (left) {
            focus(*left);
        }
        return;
    }
    if (left && *left != control) {
        LostFocus(*left);
    }
    help_on_focus(control);
}

// Any button pressed anywhere in the window ends a composition in its box before a control takes
// the focus with it. When the commit's reaction has more to do (a refusal), it does it now and the
// press goes no further: it is not also a click on a button.
bool MainForm::MouseDown() {
    return window_.commit_composition() && after_event_.run();
}

}  // namespace pelmora
