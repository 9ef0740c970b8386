// Starts Pelmora.exe and works it as a keyboard user would, from outside: page 1 by the Enter
// chain, Tab to the tab strip and an arrow to page 2, the loss probability, Enter on the calculate
// button, then Shift+Tab to the close button and Enter. Checks the answers of the real engine and
// a clean exit with code 0.
//
// With --planted DLL the program is copied alone into a folder of its own and started from another
// folder that holds DLL as vantrel.dll and stands on the search path: the program must not load
// it, and says that its library is missing (title "Error", OK only), which the driver answers.
//
// The program started by someone else (its shortcut, for example):
//   --started   works it as above once its window is open
//   --open      waits until its window is open and leaves it open
//   --end-session  closes it as Windows Installer's Restart Manager closes a program that holds a
//               file it must replace: the end of the session, then a close; it must end
//   --closed    checks that no window of the program is open
// --hold DLL loads DLL and keeps it loaded for two minutes, as a spreadsheet's macro would.
// --stall makes a window of the program's class, as any user could, and never answers it, for two
//   minutes.
//
// Usage: pelmora_driver PELMORA.EXE [--planted DLL]
//        pelmora_driver --started|--open|--end-session|--closed PELMORA.EXE
//        pelmora_driver --hold DLL
//        pelmora_driver --stall
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "form/controls.h"
#include "form/texts.h"
#include "support/input.h"
#include "win32/control_ids.h"
#include "win32/wide.h"

namespace {

using pelmora::Control;

[[noreturn]] void fail(const std::wstring& why) {
    std::fwprintf(stderr, L"FAIL: %ls\n", why.c_str());
    std::fflush(stderr);
    std::exit(1);
}

void step(const wchar_t* what) {
    std::wprintf(L"driver: %ls\n", what);
    std::fflush(stdout);
}

// Polls until the condition holds; fails after the time limit.
template <class Condition>
void wait_for(const wchar_t* what, Condition condition, DWORD milliseconds = 20000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) {
            fail(std::wstring(L"timed out waiting for ") + what);
        }
        Sleep(50);
    }
}

struct Program {
    PROCESS_INFORMATION process{};
    HWND main = nullptr;
};

constexpr DWORD kEndSessionCloseApp = ENDSESSION_CLOSEAPP;

struct Found {
    DWORD process;
    const wchar_t* window_class;
    HWND owner;
    HWND window;
};

BOOL CALLBACK find_window(HWND window, LPARAM found_address) {
    auto& found = *reinterpret_cast<Found*>(found_address);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t window_class[64] = {};
    GetClassNameW(window, window_class, 64);
    if (process == found.process && std::wstring(window_class) == found.window_class &&
        IsWindowVisible(window) &&
        (found.owner == nullptr || GetWindow(window, GW_OWNER) == found.owner)) {
        found.window = window;
        return FALSE;
    }
    return TRUE;
}

HWND window_of(DWORD process, const wchar_t* window_class, HWND owner = nullptr) {
    Found found{process, window_class, owner, nullptr};
    EnumWindows(&find_window, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

std::wstring text_of(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring text_of(const Program& program, Control box) {
    return text_of(GetDlgItem(program.main, pelmora::id_of(box)));
}

HWND focus_of(const Program& program) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(program.process.dwThreadId, &info);
    return info.hwndFocus;
}

// Input goes to the program in the foreground after a moment.
void settle() {
    Sleep(80);
}

void key(WORD key, WORD modifier = 0) {
    std::vector<INPUT> inputs;
    if (modifier != 0) {
        inputs.push_back(key_input(modifier, false));
    }
    inputs.push_back(key_input(key, false));
    inputs.push_back(key_input(key, true));
    if (modifier != 0) {
        inputs.push_back(key_input(modifier, true));
    }
    send(inputs);
    settle();
}

void type(const wchar_t* text) {
    for (const wchar_t* c = text; *c != 0; ++c) {
        send({key_input(0, false, *c), key_input(0, true, *c)});
        settle();
    }
}

void expect_text(const Program& program, Control box, const std::wstring& expected) {
    wait_for(
        L"an answer", [&] { return text_of(program, box) == expected; }, 10000);
}

void expect_focus(const Program& program, Control control) {
    wait_for(
        L"the focus",
        [&] { return focus_of(program) == GetDlgItem(program.main, pelmora::id_of(control)); },
        10000);
}

Program start(const std::wstring& executable, const std::wstring& folder) {
    Program program;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + executable + L"\"";
    if (!CreateProcessW(executable.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &program.process)) {
        fail(L"cannot start " + executable);
    }
    wait_for(L"the main window", [&] {
        program.main = window_of(program.process.dwProcessId, L"Pelmora_Main");
        return program.main != nullptr;
    });
    SetForegroundWindow(program.main);
    return program;
}

std::wstring image_of(DWORD process) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (handle != nullptr) {
        QueryFullProcessImageNameW(handle, 0, path, &length);
        CloseHandle(handle);
    }
    return path;
}

struct Running {
    const std::wstring* executable;
    HWND window;
};

BOOL CALLBACK find_running(HWND window, LPARAM running_address) {
    auto& running = *reinterpret_cast<Running*>(running_address);
    wchar_t window_class[64] = {};
    GetClassNameW(window, window_class, 64);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (std::wstring(window_class) == L"Pelmora_Main" && IsWindowVisible(window) &&
        CompareStringOrdinal(image_of(process).c_str(), -1, running.executable->c_str(), -1,
                             TRUE) == CSTR_EQUAL) {
        running.window = window;
        return FALSE;
    }
    return TRUE;
}

HWND running_window(const std::wstring& executable) {
    Running running{&executable, nullptr};
    EnumWindows(&find_running, reinterpret_cast<LPARAM>(&running));
    return running.window;
}

// The program that someone else started, once its window is open.
Program attach(const std::wstring& executable) {
    Program program;
    wait_for(L"the program's window", [&] {
        program.main = running_window(executable);
        return program.main != nullptr;
    });
    program.process.dwThreadId =
        GetWindowThreadProcessId(program.main, &program.process.dwProcessId);
    program.process.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                           program.process.dwProcessId);
    if (program.process.hProcess == nullptr) {
        fail(L"cannot open the program's process");
    }
    SetForegroundWindow(program.main);
    return program;
}

void expect_end(const Program& program) {
    if (WaitForSingleObject(program.process.hProcess, 15000) != WAIT_OBJECT_0) {
        TerminateProcess(program.process.hProcess, 3);
        fail(L"the program did not end");
    }
    DWORD exit_code = 1;
    GetExitCodeProcess(program.process.hProcess, &exit_code);
    if (exit_code != 0) {
        fail(L"exit code " + std::to_wstring(exit_code));
    }
    step(L"ended with exit code 0");
}

void end_session(const Program& program) {
    DWORD_PTR agreed = 0;
    if (SendMessageTimeoutW(program.main, WM_QUERYENDSESSION, 0, kEndSessionCloseApp,
                            SMTO_ABORTIFHUNG, 5000, &agreed) == 0 ||
        agreed == 0) {
        fail(L"the program does not let the session end");
    }
    SendMessageTimeoutW(program.main, WM_ENDSESSION, TRUE, kEndSessionCloseApp, SMTO_ABORTIFHUNG,
                        5000, nullptr);
    if (IsWindow(program.main)) {
        SendMessageTimeoutW(program.main, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    }
    expect_end(program);
}

// The library is missing: a box owned by the main window, titled "Error", with OK alone.
void answer_the_missing_library(const Program& program) {
    HWND box = nullptr;
    wait_for(L"the message box", [&] {
        box = window_of(program.process.dwProcessId, L"#32770", program.main);
        return box != nullptr;
    });
    if (text_of(box) != L"Error") {
        fail(L"message box titled " + text_of(box));
    }
    constexpr int kMessageText = 0xFFFF;
    const std::wstring message = text_of(GetDlgItem(box, kMessageText));
    if (message.rfind(pelmora::wide(pelmora::texts::kLibraryMissing) + L"\r\n", 0) != 0) {
        fail(L"message " + message);
    }
    if (GetDlgItem(box, IDOK) == nullptr || GetDlgItem(box, IDCANCEL) != nullptr ||
        GetDlgItem(box, IDYES) != nullptr) {
        fail(L"the box has other buttons than OK");
    }
    step(L"the missing library was reported");
    key(VK_RETURN);
    wait_for(L"the box to close", [&] { return !IsWindow(box); });
}

std::wstring temporary_folder(const wchar_t* name) {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + name + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void work(const Program& program, bool planted) {
    expect_focus(program, Control::Text2);

    step(L"page 1 by the Enter chain");
    type(L"240");
    key(VK_RETURN);
    type(L"3");
    key(VK_RETURN);
    type(L"8");
    key(VK_RETURN);
    expect_focus(program, Control::Command1);
    key(VK_RETURN);
    expect_text(program, Control::Text5, L"1.5");

    step(L"page 2 from the tab strip");
    for (int i = 0; i < 5; ++i) {
        key(VK_TAB);
    }
    expect_focus(program, Control::TabStrip1);
    key(VK_RIGHT);
    expect_focus(program, Control::Text6);
    key(VK_RETURN);
    type(L"0.01");
    key(VK_RETURN);
    expect_focus(program, Control::Command2);
    key(VK_RETURN);
    if (planted) {
        answer_the_missing_library(program);
    } else {
        expect_text(program, Control::Text8, L"5.29999999999993");
    }
    expect_focus(program, Control::Text6);

    step(L"closing");
    key(VK_TAB, VK_SHIFT);
    key(VK_TAB, VK_SHIFT);
    expect_focus(program, Control::Command4);
    key(VK_RETURN);
    expect_end(program);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"--stall") {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = DefWindowProcW;
        window_class.lpszClassName = L"Pelmora_Main";
        if (RegisterClassW(&window_class) == 0 ||
            CreateWindowW(L"Pelmora_Main", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                          nullptr, nullptr, nullptr) == nullptr) {
            fail(L"cannot make the window");
        }
        step(L"stalling");
        Sleep(120000);
        return 0;
    }
    const std::wstring mode = argc == 3 ? argv[1] : L"";
    if (mode == L"--hold") {
        if (LoadLibraryW(argv[2]) == nullptr) {
            fail(L"cannot load the DLL");
        }
        step(L"holding the DLL");
        Sleep(120000);
        return 0;
    }
    if (mode == L"--closed") {
        if (running_window(argv[2]) != nullptr) {
            fail(L"the program is still open");
        }
        return 0;
    }
    if (mode == L"--started" || mode == L"--open" || mode == L"--end-session") {
        const Program program = attach(argv[2]);
        step(L"the program's window is open");
        if (mode == L"--started") {
            work(program, false);
        } else if (mode == L"--end-session") {
            end_session(program);
        }
        return 0;
    }
    if (argc < 2) {
        fail(L"usage: pelmora_driver PELMORA.EXE [--planted DLL]");
    }
    std::wstring executable = argv[1];
    std::wstring folder;
    const bool planted = argc == 4 && std::wstring(argv[2]) == L"--planted";
    if (planted) {
        const std::wstring alone = temporary_folder(L"pelmora-alone-");
        folder = temporary_folder(L"pelmora-planted-");
        if (!CopyFileW(executable.c_str(), (alone + L"\\Pelmora.exe").c_str(), FALSE) ||
            !CopyFileW(argv[3], (folder + L"\\vantrel.dll").c_str(), FALSE)) {
            fail(L"cannot set up the folders");
        }
        executable = alone + L"\\Pelmora.exe";
        SetEnvironmentVariableW(L"PATH", (folder + L";C:\\windows\\system32;C:\\windows").c_str());
    }
    step(L"starting");
    work(start(executable, folder), planted);
    return 0;
}
