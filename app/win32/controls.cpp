#include "win32/controls.h"

#include <commctrl.h>

#include "win32/conversions.h"
#include "win32/wide.h"

namespace pelmora {

namespace {

using layout::Kind;

struct WindowKind {
    const wchar_t* window_class;
    DWORD style;
    DWORD extended_style;
};

WindowKind kind_of(Kind kind, layout::Align align) {
    constexpr DWORD kStop = WS_TABSTOP | WS_GROUP;
    constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
    switch (kind) {
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
            return {WC_STATICW, kChild | SS_NOPREFIX | label_alignment(align), 0};
        case Kind::StatusBar:
            break;
    }
    return {STATUSCLASSNAMEW, WS_CHILD | SBARS_SIZEGRIP, 0};
}

}  // namespace

HWND create_control(HWND parent, HINSTANCE instance, layout::Kind kind, layout::Align align,
                    std::u16string_view caption, int id, bool visible) {
    const WindowKind made = kind_of(kind, align);
    return CreateWindowExW(made.extended_style, made.window_class, wide(caption).c_str(),
                           made.style | (visible ? WS_VISIBLE : 0), 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace pelmora
