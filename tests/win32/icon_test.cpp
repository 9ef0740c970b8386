#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "support/window_harness.h"

namespace {

struct Image {
    int width;
    int bits_per_pixel;
};

// The image of the program's icon that Windows picks for a size, as LoadImage does.
Image picked_image(int size) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceW(module, L"IDI_ICON1", RT_GROUP_ICON);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON);
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    if (std::memcmp(data, "\x89PNG", 4) == 0) {
        // 8 bits to each of red, green, blue and opacity (colour type 6).
        const int width = data[16] << 24 | data[17] << 16 | data[18] << 8 | data[19];
        return {width, data[24] == 8 && data[25] == 6 ? 32 : 0};
    }
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    return {header.biWidth, header.biBitCount};
}

int width_of(HICON icon) {
    ICONINFO info{};
    BITMAP colour{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

// At 100% the design's 16-colour images; at every larger scale one made for the size, never a
// smaller one enlarged.
TEST(Icon, HoldsAnImageOfItsOwnForEveryScale) {
    const struct {
        int size;
        int bits_per_pixel;
    } expected[] = {{16, 4}, {20, 32}, {24, 32}, {32, 4}, {40, 32}, {48, 32}, {64, 32}, {256, 32}};
    for (const auto& [size, bits_per_pixel] : expected) {
        const Image image = picked_image(size);
        EXPECT_EQ(image.width, size) << size << " px";
        EXPECT_EQ(image.bits_per_pixel, bits_per_pixel) << size << " px";
    }
}

// The caption's and the task button's icons are loaded anew for a monitor at another scale.
TEST(Icon, WindowsIconsFollowItsDpi) {
    WindowHarness w;
    const struct {
        UINT dpi;
        int small;
        int big;
    } expected[] = {{120, 20, 40}, {144, 24, 48}, {192, 32, 64}, {96, 16, 32}};
    for (const auto& [dpi, small, big] : expected) {
        RECT place;
        GetWindowRect(w.main(), &place);
        SendMessageW(w.main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&place));
        EXPECT_EQ(
            width_of(reinterpret_cast<HICON>(SendMessageW(w.main(), WM_GETICON, ICON_SMALL, 0))),
            small)
            << dpi << " DPI";
        EXPECT_EQ(
            width_of(reinterpret_cast<HICON>(SendMessageW(w.main(), WM_GETICON, ICON_BIG, 0))), big)
            << dpi << " DPI";
    }
}

}  // namespace
