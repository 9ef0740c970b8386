#include "win32/main_window.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "form/layout.h"
#include "win32/about_window.h"
#include "win32/accessibility.h"
#include "win32/control_ids.h"
#include "win32/controls.h"
#include "win32/conversions.h"
#include "win32/dpi.h"
#include "win32/input_events.h"
#include "win32/input_method.h"
#include "win32/system_colours.h"
#include "win32/wide.h"
#include "win32/window_icon.h"

namespace pelmora {

namespace {

using layout::Kind;

constexpr wchar_t kWindowClass[] = L"Pelmora_Main";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;

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
    // Each message to a subclassed control looks its subclass up; under wine that is a call to
    // the wine server. Until the window is built, no message is one the window reacts to.
    subclass_controls();
    refresh_clock();
}

MainWindow::~MainWindow() {
    if (IsWindow(window_)) {
        torn_down_ = true;
        drop_window_icons(window_);
        DestroyWindow(window_);
    }
    DeleteObject(accepted_brush_);
    DeleteObject(error_brush_);
}

void MainWindow::create_controls(HINSTANCE instance) {
    for (const layout::Placement* placed : stacking_order()) {
        // The pages show once the form shows one; everything else at once.
        HWND control = create_control(window_, instance, placed->kind, placed->align,
                                      placed->caption, id_of(placed->control), !on_a_page(*placed));
        // New siblings are stacked in the order made.
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        controls_[index(placed->control)] = control;
        if (placed->kind == Kind::TextBox) {
            SendMessageW(control, EM_SETLIMITTEXT, layout::kLongestBoxText, 0);
        }
    }
    HWND tabs = control(Control::TabStrip1);
    tab_pages_.attach(window_, tabs);
    for (const layout::Placement& placed : layout::main_window()) {
        if (on_a_page(placed) && placed.kind != Kind::TextBox) {
            tab_pages_.add(control(placed.control));
        }
    }
    int position = 0;
    for (const layout::Tab& tab : layout::tabs()) {
        std::wstring caption = wide(tab.caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs, TCM_INSERTITEMW, position++, reinterpret_cast<LPARAM>(&item));
    }
}

void MainWindow::subclass_controls() {
    for (const layout::Placement& placed : layout::main_window()) {
        if (placed.kind == Kind::TextBox || placed.kind == Kind::HelpPanel ||
            placed.kind == Kind::Button || placed.kind == Kind::TabStrip) {
            // A control's own procedure is kept here: a subclass kept as a window property is
            // looked up on every message, and under wine each look-up is a call to its server;
            // the control's user data is its window class's, which may keep its own there.
            procedures_[index(placed.control)] = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(control(placed.control), GWLP_WNDPROC,
                                  reinterpret_cast<LONG_PTR>(&control_procedure)));
        }
    }
}

void MainWindow::lay_out(UINT dpi) {
    dpi_ = dpi;
    auto fonts = std::make_unique<Fonts>(dpi);
    // Laid out without painting: painted once at the end, with the page colour of the new size.
    for (const layout::Placement& placed : layout::main_window()) {
        HWND handle = control(placed.control);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(fonts->get(placed.font)), FALSE);
        if (placed.kind == Kind::StatusBar) {
            continue;
        }
        RECT at = pixels(placed.at, dpi);
        if (placed.container != Control::Pelmora_Main) {
            const RECT frame = pixels(layout::placement_of(placed.container).at, dpi);
            OffsetRect(&at, frame.left, frame.top);
        }
        MoveWindow(handle, at.left, at.top, at.right - at.left, at.bottom - at.top, FALSE);
    }
    // The old fonts go once no control uses them any more.
    fonts_ = std::move(fonts);
    add_tab_tooltips();
    lay_out_status_bar();
    show_window_icons(window_, dpi);
    tab_pages_.refresh();
    if (IsWindowVisible(window_)) {
        repaint_all(window_);
    }
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
    writing_ = writing;
}

void MainWindow::show_start(Control box) {
    select_back_to_start(box, 0);
}

void MainWindow::select_all(Control box) {
    select_back_to_start(box, GetWindowTextLengthW(control(box)));
}

void MainWindow::select_back_to_start(Control box, int anchor) {
    HWND handle = control(box);
    SendMessageW(handle, EM_SETSEL, static_cast<WPARAM>(anchor), 0);
    SendMessageW(handle, EM_SCROLLCARET, 0, 0);
    // Wine's edit cannot lay out some long texts of full- and half-width characters, and then
    // never scrolls back from where typing left its view. The same text written again starts
    // the view afresh (and clears the undo, in that case only).
    if (SendMessageW(handle, EM_GETFIRSTVISIBLELINE, 0, 0) != 0) {
        set_text(box, text(box));
        SendMessageW(handle, EM_SETSEL, static_cast<WPARAM>(anchor), 0);
    }
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

void MainWindow::wake_after_event() {
    PostMessageW(window_, kAfterEventMessage, 0, 0);
}

bool MainWindow::commit_composition() {
    return settle_composition();
}

void MainWindow::message_box(std::u16string_view title, std::u16string_view text) {
    messages_.show(title, text);
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

Control MainWindow::shown_page() const {
    for (const layout::Placement& placed : layout::main_window()) {
        // Visible in itself, even while the window is not yet shown.
        if (placed.kind == Kind::Frame &&
            (GetWindowLongW(control(placed.control), GWL_STYLE) & WS_VISIBLE) != 0) {
            return placed.control;
        }
    }
    return Control::Pelmora_Main;
}

void MainWindow::open_about() {
    AboutWindow about(window_);
    about.open_modally();
}

void MainWindow::end_program() {
    DestroyWindow(window_);
}

bool MainWindow::key_down(const MSG& message) {
    // A focus outside the window, or on the window itself, is on no control.
    HWND focus = GetFocus();
    const Control focused =
        IsChild(window_, focus) ? control_of_id(GetDlgCtrlID(focus)) : Control::Pelmora_Main;
    return form_.KeyDown(focused, pelmora::key_down(message));
}

bool MainWindow::mouse_down() {
    return form_.MouseDown();
}

void MainWindow::select_tab(int index) {
    HWND tabs = control(Control::TabStrip1);
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    // Selected from code, the tab strip does not tell its parent.
    NMHDR changed{tabs, static_cast<UINT_PTR>(id_of(Control::TabStrip1)), TCN_SELCHANGE};
    SendMessageW(window_, WM_NOTIFY, changed.idFrom, reinterpret_cast<LPARAM>(&changed));
}

}  // namespace pelmora
