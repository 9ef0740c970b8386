#include "win32/theme_library.h"

#include <string>

namespace pelmora::theme {

namespace {

struct Library {
    decltype(&::IsAppThemed) is_app_themed = nullptr;
    decltype(&::GetWindowTheme) get_window_theme = nullptr;
    decltype(&::SetWindowTheme) set_window_theme = nullptr;
};

HMODULE load_from_system_folder() {
    HMODULE module = LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
        // A Windows without that flag: the full path loads only that file.
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return nullptr;
        }
        module = LoadLibraryExW((std::wstring(folder, length) + L"\\uxtheme.dll").c_str(), nullptr,
                                LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    return module;
}

template <typename Function>
Function find(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loaded once, and kept for as long as the program runs: the controls hold styles from it.
const Library& library() {
    static const Library loaded = [] {
        HMODULE module = load_from_system_folder();
        Library library;
        library.is_app_themed = find<decltype(library.is_app_themed)>(module, "IsAppThemed");
        library.get_window_theme =
            find<decltype(library.get_window_theme)>(module, "GetWindowTheme");
        library.set_window_theme =
            find<decltype(library.set_window_theme)>(module, "SetWindowTheme");
        return library;
    }();
    return loaded;
}

}  // namespace

bool app_themed() {
    return library().is_app_themed != nullptr && library().is_app_themed();
}

HTHEME window_theme(HWND window) {
    return library().get_window_theme != nullptr ? library().get_window_theme(window) : nullptr;
}

void set_window_theme(HWND window, const wchar_t* application, const wchar_t* classes) {
    if (library().set_window_theme != nullptr) {
        library().set_window_theme(window, application, classes);
    }
}

}  // namespace pelmora::theme
