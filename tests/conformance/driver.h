#ifndef PELMORA_TESTS_CONFORMANCE_DRIVER_H
#define PELMORA_TESTS_CONFORMANCE_DRIVER_H

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "form/controls.h"
#include "recording_message_boxes.h"
#include "scenario.h"

namespace pelmora::conformance {

// One toolkit's real main window, fresh, shown and active, with message boxes answered at once
// through the program's seam, worked as a user works it.
class Driver {
  public:
    virtual ~Driver() = default;

    // A left click on a control of the page that shows, or outside the pages.
    virtual void click(Control control) = 0;
    // Characters typed into whatever has the focus, as a keyboard or an input method hands them
    // over.
    virtual void type(std::u16string_view text) = 0;
    virtual void press(Key key) = 0;
    // An input method's composition in the box with the focus: shown, not yet handed over.
    virtual void compose(std::u16string_view text) = 0;
    // The input method hands the composition over, as on Enter: the messages or events an input
    // method sends. No message box may open while they are being handled.
    virtual void commit() = 0;
    // A click on a tab of the tab strip.
    virtual void select_tab(int index) = 0;
    // Opens the about window from the Help menu and does the action once it is up; answers
    // whether that closed it (one still open is then closed, so that no test waits for ever), the
    // main window enabled and active again.
    virtual bool about(AboutAction action) = 0;

    virtual std::u16string text(Control box) = 0;
    virtual Mark mark(Control box) = 0;
    // The control with the keyboard focus; Pelmora_Main for none.
    virtual Control focused() = 0;
    virtual Control shown_page() = 0;
    virtual bool shows_start(Control box) = 0;
    virtual bool running() = 0;
    // The message boxes shown so far, each answered at once.
    virtual const std::vector<RecordingMessageBoxes::Shown>& messages() = 0;
};

// Registers every scenario as a GoogleTest test of the suite (the toolkit's name), each run on a
// fresh driver.
void register_scenarios(const char* suite, std::function<std::unique_ptr<Driver>()> make);

}  // namespace pelmora::conformance

#endif
