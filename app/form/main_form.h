#ifndef PELMORA_FORM_MAIN_FORM_H
#define PELMORA_FORM_MAIN_FORM_H

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "form/after_event.h"
#include "form/controls.h"
#include "form/engine.h"
#include "form/front_end.h"
#include "form/input.h"

namespace pelmora {

// The rules of Pelmora_Main, the main window, written once for every toolkit: start-up, the page
// switch, help on focus, Enter navigation, the linked boxes, the checks and calculations of the
// three pages, closing and the about window. A front end reports the window's events to the
// public reactions below, in the toolkit-free terms of form/input.h, and carries out what the
// form asks through its FrontEnd. The form keeps no data of its own: it reads the boxes' texts
// afresh from the front end every time.
class MainForm {
  public:
    MainForm(FrontEnd& window, Engine& engine) : window_(window), engine_(engine) {}

    // Before the window is first shown: every box empty, the first page showing, the focus on
    // the lowest tab index that takes it.
    void Form_Load();

    // The user selected the tab with this caption.
    void TabStrip1_Click(std::u16string_view caption);

    // A key went down anywhere in the window while `focused` has the focus (Pelmora_Main when no
    // control has it), before the control takes it. Answers whether the key is the form's: the
    // toolkit and the control then do nothing more with it.
    bool KeyDown(Control focused, const input::KeyDown& key);

    // A character is about to be typed into a box or onto a button; answers whether the control
    // is not to take it.
    bool Character(Control control, char16_t character);

    // The menu item "About".
    void about_Click();

    // A control gained the focus; Pelmora_Main is a menu bar that has it out of use.
    void GotFocus(Control control);

    // A control lost the focus.
    void FocusLeft(Control control, input::FocusTarget to);

    // A mouse button went down anywhere in the window, before any control takes the focus or the
    // click. Answers whether the press is to go no further.
    bool MouseDown();

    // The event during which the form asked to be woken is over: runs what it left for then, in
    // the order left, those left meanwhile included; answers whether there was any.
    bool EventOver() { return after_event_.run(); }

    // The user changed a box's text.
    void Change(Control box);

    // A button was pressed (clicked, or activated from the keyboard).
    void Click(Control button);

  private:
    // Ctrl+Tab or Ctrl+PageDown, or with `backward` Ctrl+Shift+Tab or Ctrl+PageUp.
    void PageKey_KeyDown(bool backward);
    // An arrow key, Home or End on the tab strip.
    void TabStrip1_KeyDown(input::Key key);
    // The Tab key, or with `backward` Shift+Tab.
    void Tab_KeyDown(Control focused, bool backward);
    // A character typed into a box or onto a button (13 is Enter).
    void KeyPress(Control control, char16_t key);
    // A control lost the focus to another control of the window.
    void LostFocus(Control control);
    void help_on_focus(Control control);

    // Leaves a call for once the event being handled is over.
    void after_this_event(std::function<void()> then);

    // The window's requests that take the focus from a box or put something over it. Each first
    // commits a composition in progress to its box, so that the text arrives once, where it was
    // composed.
    void focus(Control control);
    void tell(std::u16string_view message);
    void select_tab(int index);
    void show_frame(Control frame);
    // The index of the tab whose page shows.
    int shown_tab() const;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    void Text2_KeyPress(char16_t key);
    void Text3_KeyPress(char16_t key);
    void Text4_KeyPress(char16_t key);
    void Text6_KeyPress(char16_t key);
    void Text7_KeyPress(char16_t key);
    void Text9_KeyPress(char16_t key);
    void Text10_KeyPress(char16_t key);
    void Text11_KeyPress(char16_t key);
    void move_on_enter(char16_t key, Control next);

    void Text3_Change();
    void Text11_Change();
    void Text7_Change();
    void Text9_Change();
    void Text8_Change();
    void Text10_Change();
    // Copies a loss probability below 1 to the twin; one of 1 or more is refused once the edit's
    // event is over.
    void loss_probability_changed(Control box, Control twin);
    // Refuses a loss probability of 1 or more with a message, then empties the box (whose own
    // reaction carries the empty text to the twin). A text that is no longer refused by then, such
    // as the one an earlier refusal of the same edit left, is copied to the twin instead.
    void refuse_loss_probability(Control box, Control twin);

    // Writes a box's text as the program writes every text, and runs the box's change reaction,
    // nested, as an edit by the user would. Writing the text the box already holds is no change
    // and runs nothing.
    void write(Control box, std::u16string_view text);
    void copy(Control from, Control to);

    // The number a box's text begins with, read afresh.
    double value(Control box) const;

    // Shows one page and puts the focus into its first box.
    void show_page(Control frame, Control first_box);

    // The checks of one press of a calculate button, each answering whether it passed. A box that
    // passes gets the accepted mark at once; the first that fails gets the input error report:
    // the error mark, the check's message, then the focus.
    bool not_empty(Control box, std::u16string_view message);
    // Fails unless the box's value is above 0: a value of 0 (any text that does not begin with a
    // number) or a negative one makes no sense for the quantities checked.
    bool positive(Control box, std::u16string_view message);
    bool judge(Control box, bool passes, std::u16string_view message);

    // Runs an engine search from the page whose first box is `first_box`: the wait notice is
    // written and painted, then the engine is called. Returns its answer when it has one;
    // otherwise it has told the user that the library could not be bound and ended the
    // calculation.
    std::optional<double> search(Control first_box, const std::function<EngineAnswer()>& call);
    // The calculation has no answer for these inputs: says so and ends it, the results unchanged.
    void no_answer(Control first_box);
    // Ends a calculation: the help panel is emptied and the focus goes back to the first box,
    // whose focus reaction shows its help.
    void finish(Control first_box);

    FrontEnd& window_;
    Engine& engine_;
    AfterEvent after_event_;
    // The control the focus left for a menu, which gives it back there or to another control.
    std::optional<Control> left_for_menu_;
};

// The rules of frmSplash, the about window: it closes on its button, on a left click on its frame,
// on any key that produces a character and when the window system asks it to close.
class AboutForm {
  public:
    enum class Button { Left, Right, Middle };

    explicit AboutForm(AboutFrontEnd& window) : window_(window) {}

    void Command1_Click();

    // A click on the frame itself, where no label or button covers it.
    void Frame1_Click(Button button);

    // A key that produced this character, seen by the window before the focused control.
    void Form_KeyPress(char16_t key);

    // The window system asks the window to close: the platform's close shortcut (Alt+F4), or a
    // task manager ending the task.
    void Form_QueryUnload();

  private:
    AboutFrontEnd& window_;
};

}  // namespace pelmora

#endif
