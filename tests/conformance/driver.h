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

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

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
    // Text put on the clipboard and pasted with Ctrl+V into whatever has the focus.
    virtual void paste(std::u16string_view text) = 0;
    // A click on the menu bar's Help menu. This menu, and every menu a key opens, is answered
    // at once: by turns one of its items or closed, and an about window it opens is closed.
    virtual void open_menu() = 0;
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
    // The main window takes input: no window of the program's blocks it.
    virtual bool enabled() = 0;
    // How many random events a run of the monkey takes unless told: what fits a test's time.
    virtual int random_events() = 0;
    // The message boxes shown so far, each answered at once.
    virtual const std::vector<RecordingMessageBoxes::Shown>& messages() = 0;

    // A text the program writes into a box on the form's behalf, not the user.
    virtual void write(Control box, std::u16string_view text) = 0;
    virtual int text_limit(Control box) = 0;
    virtual std::u16string caption() = 0;

    // Places in pixels, in the main window's client area (below its menu bar).
    virtual Rect place(Control control) = 0;
    virtual Rect client() = 0;
    // The main window made larger by the user.
    virtual void resize(int wider, int taller) = 0;

    virtual std::vector<std::u16string> tab_captions() = 0;
    virtual std::vector<std::u16string> tab_tooltips() = 0;
    // The name a screen reader announces a control by.
    virtual std::u16string screen_reader_name(Control control) = 0;

    // The status bar's panels from the left: their texts as a user reads them, and widths.
    virtual std::vector<std::u16string> status_texts() = 0;
    virtual std::vector<int> status_widths() = 0;
    // The window's clock set to a moment, and the window's next look at it.
    virtual void set_clock(int year, int month, int day, int hour, int minute, int second = 0) = 0;
    // The user's locale's short form of a date.
    virtual std::u16string short_date(int year, int month, int day) = 0;

    // The desktop's theme switched to one of these colours for windows and their text, until the
    // driver goes.
    virtual void use_theme(Rgb face, Rgb text) = 0;
    // The about window as it shows, read while it is open.
    struct AboutLook {
        // In screen pixels: the window, and the work area of the main window's monitor.
        Rect window;
        Rect work_area;
        Rgb face;
        // The colours of the two coloured names: the maker's, then the product's.
        std::vector<Rgb> names;
        // The labels' texts as shown, in the window's order.
        std::vector<std::u16string> texts;
        bool title_bar = true;
        // Owned by the main window: no task-bar entry of its own.
        bool owned = false;
        // The main window takes no input while it is open.
        bool main_blocked = false;
        bool focus_on_button = false;
    };
    virtual AboutLook about_look() = 0;
};

// What holds of the window as it starts or after a few steps, read through the driver where no
// step and expected texts can say it.
struct Invariant {
    std::string name;
    void (*check)(Driver& driver);
};

const std::vector<Invariant>& invariants();

// A seeded run of random input, checked after every event.
void random_input(Driver& driver, int seed);

// Registers every scenario and invariant as a GoogleTest test of the suite (the toolkit's name),
// each run on a fresh driver.
void register_scenarios(const char* suite, std::function<std::unique_ptr<Driver>()> make);

}  // namespace pelmora::conformance

#endif
