#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "form/engine.h"
#include "win32/engine_library.h"
#include "win32/main_window.h"
#include "win32/message_boxes.h"
#include "win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // A DLL loaded by its name alone from here on, by the common controls among others (the
    // visual style's UxTheme), comes from System32 only: never from the program's folder, where
    // an unpacked ZIP may lie beside a planted one, nor from the current folder.
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryW(L"");
    }
    INITCOMMONCONTROLSEX common{sizeof common,
                                ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    // The accessibility annotations are a COM service.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int exit_code = 0;
    {
        pelmora::ModalMessageBoxes messages;
        pelmora::DllLibrary library;
        pelmora::BoundEngine engine(library);
        pelmora::MainWindow window(instance, messages, engine);
        messages.set_owner(window.handle());
        ShowWindow(window.handle(), show);
        exit_code = pelmora::run_message_loop(window);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exit_code;
}
