#ifndef PELMORA_WIN32_ABOUT_WINDOW_H
#define PELMORA_WIN32_ABOUT_WINDOW_H

#include <windows.h>

#include <memory>
#include <vector>

#include "form/front_end.h"
#include "form/layout.h"
#include "form/main_form.h"
#include "win32/fonts.h"

namespace pelmora {

// frmSplash on Windows: a popup with a fixed dialog border and no title bar, owned by the main
// window (so it has no task-bar button of its own), made afresh for every opening and centred on
// the work area of its monitor. It reports its button, clicks on its frame and every character
// typed to the form, which decides when it closes.
class AboutWindow final : public AboutFrontEnd {
  public:
    explicit AboutWindow(HWND owner);
    ~AboutWindow() override;
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    HWND handle() const { return window_; }

    // Shows the window modally: the owner takes no input until it has closed.
    void open_modally();

    void unload() override;

  private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void clicked(LPARAM at, AboutForm::Button button);

    HWND owner_;
    HWND window_ = nullptr;
    HWND frame_ = nullptr;
    HWND button_ = nullptr;
    // The labels with their placements, in the order of the stored layout.
    std::vector<std::pair<HWND, const layout::AboutPlacement*>> labels_;
    std::unique_ptr<Fonts> fonts_;
    bool closed_ = false;
    AboutForm form_;
};

}  // namespace pelmora

#endif
