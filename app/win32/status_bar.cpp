#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>

#include "form/layout.h"
#include "form/minute_clock.h"
#include "win32/control_ids.h"
#include "win32/conversions.h"
#include "win32/dpi.h"
#include "win32/main_window.h"

// StatusBar1: four inset panels along the bottom edge; the first takes the width the others
// leave, the second has a fixed width, the date and the time fit their texts. They keep
// themselves current; nothing of the form writes to them.
namespace pelmora {

namespace {

using PanelEdges = std::array<int, 4>;

std::wstring date_text(const SYSTEMTIME& now) {
    wchar_t text[80] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, text,
                    static_cast<int>(std::size(text)), nullptr);
    return text;
}

std::wstring time_text(const SYSTEMTIME& now) {
    wchar_t text[80] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, text,
                    static_cast<int>(std::size(text)));
    return text;
}

std::wstring panel_text(layout::PanelContent content, const SYSTEMTIME& now) {
    switch (content) {
        case layout::PanelContent::Date:
            return date_text(now);
        case layout::PanelContent::Time:
            return time_text(now);
        case layout::PanelContent::Empty:
            break;
    }
    return {};
}

std::wstring shown_text(HWND bar, std::size_t part) {
    const auto length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

}  // namespace

void MainWindow::refresh_clock() {
    HWND bar = control(Control::StatusBar1);
    const SYSTEMTIME now = clock_();
    const auto panels = layout::status_panels();
    bool changed = false;
    // A panel given its text again would be drawn again: each minute would repaint the bar.
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const std::wstring text = panel_text(panels[i].content, now);
        if (text.empty()) {
            continue;
        }
        const std::wstring shown = aligned_panel_text(panels[i].align, text);
        if (shown != shown_text(bar, i)) {
            SendMessageW(bar, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(shown.c_str()));
            changed = true;
        }
    }
    if (changed) {
        fit_status_panels(now);
    }
    SetTimer(window_, kClockTimer,
             static_cast<UINT>(milliseconds_to_next_minute(now.wSecond, now.wMilliseconds)),
             nullptr);
}

void MainWindow::lay_out_status_bar() {
    HWND bar = control(Control::StatusBar1);
    if (bar == nullptr) {
        return;
    }
    // The bar docks itself to the bottom edge across the width.
    SendMessageW(bar, WM_SIZE, 0, 0);
    fit_status_panels(clock_());
}

void MainWindow::fit_status_panels(const SYSTEMTIME& now) {
    HWND bar = control(Control::StatusBar1);
    RECT client;
    GetClientRect(window_, &client);
    HDC dc = GetDC(bar);
    auto* previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    const auto panels = layout::status_panels();
    std::array<int, 4> widths{};
    int fixed = 0;
    std::size_t spring = 0;
    for (std::size_t i = 0; i < panels.size() && i < widths.size(); ++i) {
        int width = pixels(panels[i].fixed_width, dpi_);
        if (panels[i].fixed_width == 0) {
            const std::wstring text = panel_text(panels[i].content, now);
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            // The text, its bevel and a little space on either side.
            width = std::max(static_cast<int>(extent.cx) + pixels(180, dpi_),
                             pixels(panels[i].minimum_width, dpi_));
        }
        if (panels[i].springs) {
            spring = i;
            width = 0;
        }
        widths[i] = width;
        fixed += width;
    }
    SelectObject(dc, previous);
    ReleaseDC(bar, dc);
    widths[spring] = std::max(static_cast<int>(client.right) - fixed,
                              pixels(panels[spring].minimum_width, dpi_));
    PanelEdges right_edges{};
    int edge = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        edge += widths[i];
        right_edges[i] = i + 1 == widths.size() ? -1 : edge;
    }
    // New edges repaint the whole bar; the same ones are left alone.
    PanelEdges current{};
    const auto count =
        SendMessageW(bar, SB_GETPARTS, current.size(), reinterpret_cast<LPARAM>(current.data()));
    if (static_cast<std::size_t>(count) != current.size() || current != right_edges) {
        SendMessageW(bar, SB_SETPARTS, right_edges.size(),
                     reinterpret_cast<LPARAM>(right_edges.data()));
    }
}

}  // namespace pelmora
