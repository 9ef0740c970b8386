#include <vector>

#include "form/layout.h"
#include "form/main_form.h"

namespace pelmora {

// The Tab key moves the focus by rising tab index, Shift+Tab by falling, over the stops outside
// the pages and on the page that shows, round the window; from a control that is no stop (the
// help panel) it goes on from that control's own tab index. A box reached so has its whole text
// selected, with its start in view, where an answer wider than the box begins.
void MainForm::Tab_KeyDown(Control focused, bool backward) {
    const Control page = window_.shown_page();
    std::vector<Control> stops;
    for (const Control stop : layout::keyboard_order()) {
        const Control container = layout::placement_of(stop).container;
        if (container == Control::Pelmora_Main || container == page) {
            stops.push_back(stop);
        }
    }
    const int here =
        focused == Control::Pelmora_Main ? -1 : layout::placement_of(focused).tab_index;
    Control next = backward ? stops.back() : stops.front();
    if (backward) {
        for (auto stop = stops.rbegin(); stop != stops.rend(); ++stop) {
            if (layout::placement_of(*stop).tab_index < here) {
                next = *stop;
                break;
            }
        }
    } else {
        for (const Control stop : stops) {
            if (layout::placement_of(stop).tab_index > here) {
                next = stop;
                break;
            }
        }
    }
    focus(next);
    if (layout::placement_of(next).kind == layout::Kind::TextBox) {
        window_.select_all(next);
    }
}

}  // namespace pelmora
