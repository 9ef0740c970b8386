#include "form/layout.h"
#include "form/main_form.h"

namespace pelmora {

namespace {

constexpr char16_t kEnter = 13;

}  // namespace

// Enter in an input box moves the focus to the next input box of its page, and from the last one
// to the page's calculate button; it starts no calculation and leaves the box's text alone. The
// result boxes have no such reaction. Enter on a button presses it, as a click does.
void MainForm::KeyPress(Control control, char16_t key) {
    if (layout::placement_of(control).kind == layout::Kind::Button) {
        if (key == kEnter) {
            Click(control);
        }
        return;
    }
    switch (control) {
        case Control::Text2:
            return Text2_KeyPress(key);
        case Control::Text3:
            return Text3_KeyPress(key);
        case Control::Text4:
            return Text4_KeyPress(key);
        case Control::Text6:
            return Text6_KeyPress(key);
        case Control::Text7:
            return Text7_KeyPress(key);
        case Control::Text9:
            return Text9_KeyPress(key);
        case Control::Text10:
            return Text10_KeyPress(key);
        case Control::Text11:
            return Text11_KeyPress(key);
        default:
            return;
    }
}

void MainForm::move_on_enter(char16_t key, Control next) {
    if (key == kEnter) {
        focus(next);
    }
}

void MainForm::Text2_KeyPress(char16_t key) {
    move_on_enter(key, Control::Text3);
}

void MainForm::Text3_KeyPress(char16_t key) {
    move_on_enter(key, Control::Text4);
}

void MainForm::Text4_KeyPress(char16_t key) {
    move_on_enter(key, Control::Command1);
}

void MainForm::Text6_KeyPress(char16_t key) {
    move_on_enter(key, Control::Text7);
}

void MainForm::Text7_KeyPress(char16_t key) {
    move_on_enter(key, Control::Command2);
}

void MainForm::Text9_KeyPress(char16_t key) {
    move_on_enter(key, Control::Text10);
}

void MainForm::Text10_KeyPress(char16_t key) {
    move_on_enter(key, Control::Text11);
}

void MainForm::Text11_KeyPress(char16_t key) {
    move_on_enter(key, Control::Command3);
}

}  // namespace pelmora
