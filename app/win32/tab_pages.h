#ifndef PELMORA_WIN32_TAB_PAGES_H
#define PELMORA_WIN32_TAB_PAGES_H

#include <windows.h>

#include <optional>
#include <vector>

namespace pelmora {

// The colour behind the pages of the tab strip. Drawn by a visual style, the tab strip's body is
// the style's, and the frames, labels and buttons of a page, which are the window's children
// stacked above the tab strip and not the tab strip's, show that body too, as does the window
// beneath them: all take it from a copy of the body the tab strip draws. Without a style, or in
// a high-contrast scheme, the tab strip is drawn plainly and a page is the window's face.
class TabPages {
  public:
    TabPages() = default;
    ~TabPages();
    TabPages(const TabPages&) = delete;
    TabPages& operator=(const TabPages&) = delete;

    void attach(HWND window, HWND tabs);
    // A frame, label or button on a page.
    void add(HWND control);

    // Copies the tab strip's body afresh, after the tab strip moved or its colours or style
    // changed.
    void refresh();

    // The window's messages that concern the pages' colours: an answer where the message is
    // done with, none where the window is to handle it as well or instead.
    std::optional<LRESULT> handle(UINT message, WPARAM w, LPARAM l);

  private:
    void forget_body();
    // The brush origin on `dc`, which draws `drawn`, that lines the copy up with the tab strip.
    void line_up(HDC dc, HWND drawn) const;

    HWND window_ = nullptr;
    HWND tabs_ = nullptr;
    std::vector<HWND> controls_;
    HBITMAP body_bitmap_ = nullptr;
    HBRUSH body_ = nullptr;
    // Where the copy stands, in the window's client coordinates.
    RECT body_area_{};
};

}  // namespace pelmora

#endif
