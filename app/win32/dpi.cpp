#include "win32/dpi.h"

namespace pelmora {

namespace {

// The per-monitor functions came with Windows 10, version 1607; on older systems the screen's DPI
// holds for every window.
template <class Function>
Function user32_function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

UINT screen_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

}  // namespace

UINT dpi_of(HWND window) {
    static const auto get_dpi = user32_function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (get_dpi != nullptr && window != nullptr) {
        if (const UINT dpi = get_dpi(window); dpi != 0) {
            return dpi;
        }
    }
    return screen_dpi();
}

RECT outer_rect(RECT client, DWORD style, bool menu, DWORD extended_style, UINT dpi) {
    static const auto adjust =
        user32_function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (adjust != nullptr) {
        adjust(&client, style, menu, extended_style, dpi);
    } else {
        AdjustWindowRectEx(&client, style, menu, extended_style);
    }
    return client;
}

int system_metric(int index, UINT dpi) {
    static const auto metric =
        user32_function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (metric != nullptr) {
        return metric(index, dpi);
    }
    // Given for the screen's DPI: scaled to the window's.
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(screen_dpi()));
}

LOGFONTW message_font(UINT dpi) {
    static const auto parameters =
        user32_function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (parameters != nullptr &&
        parameters(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        return metrics.lfMessageFont;
    }
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // Given for the screen's DPI: scaled to the window's.
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                            static_cast<int>(screen_dpi()));
    return metrics.lfMessageFont;
}

}  // namespace pelmora
