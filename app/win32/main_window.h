#ifndef PELMORA_WIN32_MAIN_WINDOW_H
#define PELMORA_WIN32_MAIN_WINDOW_H

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "form/engine.h"
#include "form/front_end.h"
#include "form/main_form.h"
#include "win32/fonts.h"
#include "win32/message_boxes.h"
#include "win32/tab_pages.h"

namespace pelmora {

// Pelmora_Main on Windows: the stored controls as standard and common controls, all children of
// the main window, laid out in twips at the window's DPI and again when it moves to a monitor of
// another DPI. It reports the user's events to the form and carries out what the form asks; the
// rules are the form's.
class MainWindow final : public FrontEnd {
  public:
    using Clock = std::function<SYSTEMTIME()>;

    static SYSTEMTIME local_time();

    MainWindow(HINSTANCE instance, MessageBoxes& messages, Engine& engine,
               Clock clock = local_time);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    HWND control(Control control) const { return controls_[index(control)]; }

    // A key went down in the window; answers whether the form took it.
    bool key_down(const MSG& message);

    // A mouse button went down in the window; answers whether the press is to go no further.
    bool mouse_down();

    // Puts the status bar's date and time right, touching only a panel whose text changed, and
    // sets the clock's timer for just after the next minute starts.
    void refresh_clock();

    std::u16string text(Control box) const override;
    // Never reported back as an edit.
    void set_text(Control box, std::u16string_view text) override;
    void show_start(Control box) override;
    void select_all(Control box) override;
    void mark(Control box, Mark mark) override;
    void set_focus(Control control) override;
    void wake_after_event() override;
    bool commit_composition() override;
    void message_box(std::u16string_view title, std::u16string_view text) override;
    void handle_waiting_events() override;
    void show_page(Control frame) override;
    Control shown_page() const override;
    void select_tab(int index) override;
    void open_about() override;
    void end_program() override;

  private:
    static std::size_t index(Control control) {
        return static_cast<std::size_t>(index_of(control));
    }

    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK control_procedure(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    LRESULT handle_control(Control control, HWND handle, UINT message, WPARAM w, LPARAM l);
    // To the control's own procedure, beneath the window's subclass.
    LRESULT pass_on(Control control, HWND handle, UINT message, WPARAM w, LPARAM l) const;
    void handle_command(WPARAM w, LPARAM l);
    void report_changes_made_while_composing();
    LRESULT handle_notify(const NMHDR& header);

    void create_controls(HINSTANCE instance);
    // The controls whose keys, focus and compositions reach the form.
    void subclass_controls();
    void add_tab_tooltips();
    // Places every control, sets its font and the window's icons for the window's DPI.
    void lay_out(UINT dpi);
    void lay_out_status_bar();
    // Sets the panels' edges for their texts at `now`, unless they stand there already.
    void fit_status_panels(const SYSTEMTIME& now);
    // Selects a box's text from `anchor` back to a caret at its start, and shows the start.
    void select_back_to_start(Control box, int anchor);

    HWND window_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    // The subclassed controls' own procedures.
    std::array<WNDPROC, kControlCount> procedures_{};
    // Set once the window is being torn down: nothing the controls do reaches the form then.
    bool torn_down_ = false;
    std::array<Mark, kControlCount> marks_{};
    std::array<bool, kControlCount> changed_while_composing_{};
    UINT dpi_ = 96;
    std::unique_ptr<Fonts> fonts_;
    HBRUSH accepted_brush_ = nullptr;
    HBRUSH error_brush_ = nullptr;
    TabPages tab_pages_;
    // The focus the window takes when it is activated: where the user left it, or where the form
    // put it while the window was not yet shown.
    HWND focus_on_activation_ = nullptr;
    // Set while the window writes a box on the form's behalf, so that the edit's own change
    // notification is not taken for the user's.
    bool writing_ = false;
    // Whether the tab strip's tooltip tools are the window's own.
    bool added_tab_tools_ = false;
    // The text handed to the tab strip's tooltip, which reads it after the notification.
    std::wstring tooltip_text_;
    MessageBoxes& messages_;
    Clock clock_;
    MainForm form_;
};

}  // namespace pelmora

#endif
