// folder_check.exe, which the NSIS installer and its uninstaller unpack into their own temporary
// folder and run, as the administrator they run as, for the work on the installation's folder
// that the installer's script language cannot do safely: checking it, making it ready and
// removing an installation from it, never through a link.
//
// Usage: folder_check check|check-removal|held|prepare LANGUAGE MESSAGE_FILE FOLDER
//        folder_check remove LANGUAGE MESSAGE_FILE FOLDER [INSTALLATION]
// held: whether a program holds a file of the installation in FOLDER. remove: nothing is removed
// from FOLDER when it is the folder INSTALLATION, the installation just made.
// Exits with 0 when done, or with 1 (3 when a program holds the folder or a file) and the message
// for the refusal (in Japanese for LANGUAGE 1041, in English otherwise) written to MESSAGE_FILE in
// UTF-16LE, which the installer shows; 2 for a call it does not know.
#include <windows.h>

#include <string>

#include "folder_rules.h"
#include "installation_folder.h"
#include "refusal.h"

namespace {

folder_check::Refusal work(const std::wstring& action, const std::wstring& folder,
                           const std::wstring& installation) {
    using namespace folder_check;
    if (action == L"check") {
        return check_installation_folder(folder, trusted_sids(own_administrator_sid()));
    }
    if (action == L"check-removal") {
        return check_removal(folder);
    }
    if (action == L"held") {
        return check_held(folder);
    }
    if (action == L"prepare") {
        return prepare_installation_folder(folder, trusted_sids(own_administrator_sid()), true);
    }
    return remove_installation(folder, installation);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Whatever DLL the temporary folder may hold, none is loaded from it.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    const std::wstring action = argc == 5 || argc == 6 ? argv[1] : L"";
    if (action != L"check" && action != L"check-removal" && action != L"held" &&
        action != L"prepare" && action != L"remove") {
        return 2;
    }
    const folder_check::Refusal refusal = work(action, argv[4], argc == 6 ? argv[5] : L"");
    if (!refusal) {
        return 0;
    }
    const std::wstring text = folder_check::refusal_text(refusal, std::wstring(argv[2]) == L"1041");
    const HANDLE file = CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
                  nullptr);
        CloseHandle(file);
    }
    return refusal.reason == folder_check::Reason::in_use ? 3 : 1;
}
