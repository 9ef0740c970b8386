// Start-up time and memory of Windows programs with a window, each measured the same way, side by
// side in one run: the time from process creation until its window of the given class is visible
// and the program waits for input, and the peak working set at that moment. Each program is
// started RUNS times, in turns; the medians are printed.
// Usage: window_startup RUNS PROGRAM CLASS [PROGRAM CLASS ...]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Found {
    DWORD process;
    const wchar_t* window_class;
    HWND window;
};

BOOL CALLBACK find(HWND window, LPARAM found_address) {
    auto& found = *reinterpret_cast<Found*>(found_address);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process == found.process && IsWindowVisible(window) &&
        std::wstring(name) == found.window_class) {
        found.window = window;
        return FALSE;
    }
    return TRUE;
}

struct Sample {
    double milliseconds;
    double peak_megabytes;
};

Sample measure(const std::wstring& program, const wchar_t* window_class) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + program + L"\"";
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fwprintf(stderr, L"cannot start %ls\n", program.c_str());
        std::exit(1);
    }
    Found found{process.dwProcessId, window_class, nullptr};
    while (found.window == nullptr) {
        EnumWindows(&find, reinterpret_cast<LPARAM>(&found));
        if (found.window == nullptr) {
            Sleep(1);
        }
    }
    WaitForInputIdle(process.hProcess, 10000);
    const auto shown = std::chrono::steady_clock::now();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    PostMessageW(found.window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {std::chrono::duration<double, std::milli>(shown - start).count(),
            static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0)};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fwprintf(stderr, L"usage: window_startup RUNS PROGRAM CLASS [PROGRAM CLASS ...]\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    const std::size_t programs = static_cast<std::size_t>(argc - 2) / 2;
    std::vector<std::vector<double>> times(programs), peaks(programs);
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < programs; ++i) {
            const Sample sample = measure(argv[2 + 2 * i], argv[3 + 2 * i]);
            times[i].push_back(sample.milliseconds);
            peaks[i].push_back(sample.peak_megabytes);
        }
    }
    for (std::size_t i = 0; i < programs; ++i) {
        std::wprintf(L"%ls: window after %.1f ms, peak working set %.1f MiB (medians of %d)\n",
                     argv[2 + 2 * i], median(times[i]), median(peaks[i]), runs);
    }
    return 0;
}
