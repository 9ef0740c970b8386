#ifndef PELMORA_FORM_FRONT_END_H
#define PELMORA_FORM_FRONT_END_H

#include <functional>
#include <string>
#include <string_view>

#include "form/controls.h"

namespace pelmora {

// What the main window's rules ask of a window toolkit; each front end implements it. The boxes'
// texts and marks live in the front end, and the form reads them afresh every time.
//
// A front end reports to the form only what the user does: keys going down, characters about to
// be typed into a box or onto a button, mouse presses, focus arrivals (whatever moved the focus,
// the form's own moves included) and departures, and the user's own edits of a box (typing,
// deleting, paste, cut, undo and redo, drag and drop, an input method's commit). What these mean
// is the form's to decide. Its writes on the form's behalf never report back as edits: the form
// runs the change reaction of every box it writes itself, so that the reactions nest in the same
// order on every toolkit.
class FrontEnd {
  public:
    virtual ~FrontEnd() = default;

    virtual std::u16string text(Control box) const = 0;
    virtual void set_text(Control box, std::u16string_view text) = 0;
    // Puts the caret at the start of a box's text, and the view with it.
    virtual void show_start(Control box) = 0;
    // Selects a box's whole text from its end back to a caret at its start, so that the start is
    // what shows.
    virtual void select_all(Control box) = 0;
    virtual void mark(Control box, Mark mark) = 0;
    virtual void set_focus(Control control) = 0;

    // A modal box with the title, the message, one OK button and no icon, owned by the main
    // window; returns once the user has closed it.
    virtual void message_box(std::u16string_view title, std::u16string_view text) = 0;

    // Calls the form's EventOver once the event being handled is over: after the toolkit and the
    // input method have finished handing over the edit that led here (other input already waiting
    // may be handled first). A modal box opened inside that handing-over lets an input method
    // deliver its text once more.
    virtual void wake_after_event() = 0;

    // Commits what an input method composes in the box with the focus to that box, or forgets a
    // composition the user cancelled; answers whether it committed one.
    virtual bool commit_composition() = 0;

    // Lets the window handle, once, the events already waiting (a repaint above all), but no
    // user input.
    virtual void handle_waiting_events() = 0;

    // Shows the frame of one page and hides the other two.
    virtual void show_page(Control frame) = 0;
    // The frame of the page that shows.
    virtual Control shown_page() const = 0;
    // Selects a tab of the tab strip (0 for the first), as a click on it does.
    virtual void select_tab(int index) = 0;

    // Opens the about window modally; returns once it has closed.
    virtual void open_about() = 0;

    // Ends the program at once: every window closes, nothing is asked.
    virtual void end_program() = 0;
};

// What the about window's rules ask of its toolkit.
class AboutFrontEnd {
  public:
    virtual ~AboutFrontEnd() = default;

    // Closes the about window.
    virtual void unload() = 0;
};

}  // namespace pelmora

#endif
