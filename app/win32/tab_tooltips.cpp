#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "form/layout.h"
#include "win32/main_window.h"
#include "win32/wide.h"

namespace pelmora {

// The tooltip of each tab. Windows' tab control registers a tool per tab itself and asks for the
// texts (TTN_GETDISPINFO); wine's registers none, and then the window adds them, with their texts.
// Tab rectangles change with the DPI, so this runs with every layout.
void MainWindow::add_tab_tooltips() {
    HWND tabs = control(Control::TabStrip1);
    HWND tooltip = reinterpret_cast<HWND>(SendMessageW(tabs, TCM_GETTOOLTIPS, 0, 0));
    if (tooltip == nullptr) {
        return;
    }
    static const std::vector<std::wstring> texts = [] {
        std::vector<std::wstring> all;
        for (const layout::Tab& tab : layout::tabs()) {
            all.push_back(wide(tab.tooltip));
        }
        return all;
    }();
    const bool own_tools = added_tab_tools_;
    if (!own_tools && SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0) != 0) {
        return;
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = tabs;
        tool.uId = i;
        SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tool.rect));
        tool.lpszText = const_cast<wchar_t*>(texts[i].c_str());
        SendMessageW(tooltip, own_tools ? TTM_NEWTOOLRECTW : TTM_ADDTOOLW, 0,
                     reinterpret_cast<LPARAM>(&tool));
    }
    added_tab_tools_ = true;
}

}  // namespace pelmora
