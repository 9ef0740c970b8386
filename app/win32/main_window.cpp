#include "win32/main_window.h"

#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "form/layout.h"
#include "win32/about_window.h"
#include "win32/accessibility.h"
#include "win32/control_ids.h"
#include "win32/dpi.h"
#include "win32/wide.h"

namespace pelmora {

namespace {

using layout::Kind;

constexpr wchar_t kWindowClass[] = L"Pelmora_Main";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
// Texts of a box are not limited beyond what a paste of any size needs.
constexpr WPARAM kLongestBoxText = 1'000'000;
constexpr UINT kClockMilliseconds = 1000;

COLORREF colour(Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// Every control is a sibling of every other; they are stacked for drawing and for screen
// readers, which name a box by the label just before it: the page controls first, each label
// right before its box, then the help panel and the close button, then the frames beneath their
// pages, and the tab strip beneath everything. The Tab key does not follow this order but the
// tab indices.
std::vector<const layout::Placement*> stacking_order() {
    std::vector<const layout::Placement*> order;
    for (const layout::Placement& placed : layout::main_window()) {
        order.push_back(&placed);
    }
    const auto depth = [](const layout::Placement* placed) {
        return placed->kind == Kind::TabStrip ? 2 : placed->kind == Kind::Frame ? 1 : 0;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](const auto* a, const auto* b) { return depth(a) < depth(b); });
    return order;
}

struct WindowKind {
    const wchar_t* window_class;
    DWORD style;
    DWORD extended_style;
};

// Each focusable control is a group of its own, so that the arrow keys do not walk from button
// to button; every sibling clips the others, so that the stacking decides what shows.
WindowKind kind_of(const layout::Placement& placed) {
    constexpr DWORD kStop = WS_TABSTOP | WS_GROUP;
    constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
    switch (placed.kind) {
        case Kind::TabStrip:
            return {WC_TABCONTROLW, kChild | kStop | TCS_TOOLTIPS, 0};
        case Kind::Frame:
            return {WC_BUTTONW, kChild | BS_GROUPBOX, 0};
        case Kind::HelpPanel:
            return {WC_EDITW, kChild | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                    WS_EX_CLIENTEDGE};
        case Kind::TextBox:
            return {WC_EDITW, kChild | kStop | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case Kind::Button:
            return {WC_BUTTONW, kChild | kStop | BS_PUSHBUTTON, 0};
        case Kind::Label:
            return {
                WC_STATICW,
                kChild | SS_NOPREFIX | (placed.align == layout::Align::Right ? SS_RIGHT : SS_LEFT),
                0};
        case Kind::StatusBar:
            break;
    }
    return {STATUSCLASSNAMEW, WS_CHILD | SBARS_SIZEGRIP, 0};
}

bool on_a_page(const layout::Placement& placed) {
    return placed.kind == Kind::Frame || placed.container != Control::Pelmora_Main;
}

HMENU main_menu() {
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kAboutCommand, wide(layout::kAboutItem).c_str());
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(help), wide(layout::kHelpMenu).c_str());
    return menu;
}

void register_class(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, L"IDI_ICON1");
    window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), 0));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kWindowClass;
    RegisterClassExW(&window_class);
}

}  // namespace

SYSTEMTIME MainWindow::local_time() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

MainWindow::MainWindow(HINSTANCE instance, MessageBoxes& messages, Engine& engine, Clock clock)
    : messages_(messages), clock_(std::move(clock)), form_(*this, engine) {
    register_class(instance, &window_procedure);
    window_ = CreateWindowExW(0, kWindowClass, wide(layout::kMainCaption).c_str(), kWindowStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                              main_menu(), instance, this);
    controls_[index(Control::Pelmora_Main)] = window_;
    accepted_brush_ = CreateSolidBrush(colour(kAcceptedBackground));
    error_brush_ = CreateSolidBrush(colour(kErrorBackground));
    create_controls(instance);
    lay_out(dpi_of(window_));
    const RECT outer =
        outer_rect(pixels(layout::kMainClientArea, dpi_), kWindowStyle, true, 0, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    describe_for_screen_readers(*this);
    form_.Form_Load();
    refresh_clock();
    SetTimer(window_, kClockTimer, kClockMilliseconds, nullptr);
}

MainWindow::~MainWindow() {
    if (IsWindow(window_)) {
        // Nothing the controls do while they are torn down may reach the form.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    DeleteObject(accepted_brush_);
    DeleteObject(error_brush_);
}

void MainWindow::create_controls(HINSTANCE instance) {
    for (const layout::Placement* placed : stacking_order()) {
        const WindowKind kind = kind_of(*placed);
        // The pages show once the form shows one; everything else at once.
        const DWORD visible = on_a_page(*placed) ? 0 : WS_VISIBLE;
        HWND control =
            CreateWindowExW(kind.extended_style, kind.window_class, wide(placed->caption).c_str(),
                            kind.style | visible, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_of(placed->control))),
                            instance, nullptr);
        // New siblings are stacked in the order made.
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        controls_[index(placed->control)] = control;
        if (placed->kind == Kind::TextBox) {
            SendMessageW(control, EM_SETLIMITTEXT, kLongestBoxText, 0);
        }
        if (placed->kind == Kind::TextBox || placed->kind == Kind::HelpPanel ||
            placed->kind == Kind::Button || placed->kind == Kind::TabStrip) {
            SetWindowSubclass(control, &control_procedure, id_of(placed->control),
                              reinterpret_cast<DWORD_PTR>(this));
        }
    }
    HWND tabs = control(Control::TabStrip1);
    // Drawn by a visual style, the tab strip's page would be the style's white behind the frames,
    // labels and buttons, which paint the window's face: drawn plainly, a page is one colour. The
    // blank names match no style; empty ones are no names at all to wine, which keeps the style.
    SetWindowTheme(tabs, L" ", L" ");
    int position = 0;
    for (const layout::Tab& tab : layout::tabs()) {
        std::wstring caption = wide(tab.caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs, TCM_INSERTITEMW, position++, reinterpret_cast<LPARAM>(&item));
    }
}

void MainWindow::lay_out(UINT dpi) {
    dpi_ = dpi;
    auto fonts = std::make_unique<Fonts>(dpi);
    for (const layout::Placement& placed : layout::main_window()) {
        HWND handle = control(placed.control);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(fonts->get(placed.font)), TRUE);
        if (placed.kind == Kind::StatusBar) {
            continue;
        }
        RECT at = pixels(placed.at, dpi);
        if (placed.container != Control::Pelmora_Main) {
            const RECT frame = pixels(layout::placement_of(placed.container).at, dpi);
            OffsetRect(&at, frame.left, frame.top);
        }
        MoveWindow(handle, at.left, at.top, at.right - at.left, at.bottom - at.top, TRUE);
    }
    // The old fonts go once no control uses them any more.
    fonts_ = std::move(fonts);
    add_tab_tooltips();
    lay_out_status_bar();
}

std::u16string MainWindow::text(Control box) const {
    HWND handle = control(box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(handle, text.data(), static_cast<int>(text.size()))));
    return utf16(text);
}

void MainWindow::set_text(Control box, std::u16string_view text) {
    HWND handle = control(box);
    const bool writing = std::exchange(writing_, true);
    SetWindowTextW(handle, wide(text).c_str());
    SendMessageW(handle, EM_SETSEL, 0, 0);
    SendMessageW(handle, EM_SCROLLCARET, 0, 0);
    writing_ = writing;
}

void MainWindow::mark(Control box, Mark mark) {
    marks_[index(box)] = mark;
    InvalidateRect(control(box), nullptr, TRUE);
}

void MainWindow::set_focus(Control target) {
    HWND handle = control(target);
    if (!IsWindowVisible(window_)) {
        focus_on_activation_ = handle;
        return;
    }
    SetFocus(handle);
}

void MainWindow::message_box(std::u16string_view title, std::u16string_view text) {
    messages_.show(window_, title, text);
}

void MainWindow::handle_waiting_events() {
    // Paint messages and the like, but no input: a second calculation cannot start inside this
    // one.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0,
                        PM_REMOVE | PM_QS_PAINT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MainWindow::show_page(Control frame) {
    for (const layout::Placement& placed : layout::main_window()) {
        if (on_a_page(placed)) {
            const Control page = placed.kind == Kind::Frame ? placed.control : placed.container;
            ShowWindow(control(placed.control), page == frame ? SW_SHOWNA : SW_HIDE);
        }
    }
    // A frame does not paint its inside, and the pages share one place: the window paints its
    // background there again, or a longer caption of the page that went would show through.
    RECT area;
    GetWindowRect(control(frame), &area);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(window_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::open_about() {
    AboutWindow about(window_);
    about.open_modally();
}

void MainWindow::end_program() {
    DestroyWindow(window_);
}

void MainWindow::move_focus_by_tab(bool backward) {
    std::vector<Control> stops;
    for (const Control stop : layout::keyboard_order()) {
        if (IsWindowVisible(control(stop)) && IsWindowEnabled(control(stop))) {
            stops.push_back(stop);
        }
    }
    if (stops.empty()) {
        return;
    }
    // From a control that is no stop (the help panel), on to the next stop by tab index.
    const Control focused = control_of_id(GetDlgCtrlID(GetFocus()));
    const int here =
        focused == Control::Pelmora_Main ? -1 : layout::placement_of(focused).tab_index;
    std::size_t next = 0;
    if (backward) {
        next = stops.size() - 1;
        for (std::size_t i = stops.size(); i-- > 0;) {
            if (layout::placement_of(stops[i]).tab_index < here) {
                next = i;
                break;
            }
        }
    } else {
        for (std::size_t i = 0; i < stops.size(); ++i) {
            if (layout::placement_of(stops[i]).tab_index > here) {
                next = i;
                break;
            }
        }
    }
    HWND target = control(stops[next]);
    SetFocus(target);
    // As the dialog manager does, a box reached by Tab has its text selected; but with the caret
    // at the start, not the end, so that an answer wider than its box shows its first digits.
    if (layout::placement_of(stops[next]).kind == Kind::TextBox) {
        SendMessageW(target, EM_SETSEL, GetWindowTextLengthW(target), 0);
        SendMessageW(target, EM_SCROLLCARET, 0, 0);
    }
}

void MainWindow::select_next_page(bool backward) {
    HWND tabs = control(Control::TabStrip1);
    const auto count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    const auto current = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    SendMessageW(tabs, TCM_SETCURSEL, (current + (backward ? count - 1 : 1)) % count, 0);
    // Selected from code, the tab strip does not tell its parent.
    NMHDR changed{tabs, static_cast<UINT_PTR>(id_of(Control::TabStrip1)), TCN_SELCHANGE};
    SendMessageW(window_, WM_NOTIFY, changed.idFrom, reinterpret_cast<LPARAM>(&changed));
}

}  // namespace pelmora
