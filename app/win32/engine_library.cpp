#include "win32/engine_library.h"

#include "win32/wide.h"

namespace pelmora {

namespace {

// Windows' own words for an error, in the user's language, without the closing line break.
std::wstring reason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words =
        length != 0 ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!words.empty() &&
           (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) {
        words.pop_back();
    }
    return words;
}

}  // namespace

std::wstring DllLibrary::program_folder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/"));
}

DllLibrary::DllLibrary(std::wstring folder) : path_(std::move(folder) + L"\\vantrel.dll") {}

DllLibrary::~DllLibrary() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

bool DllLibrary::load(std::u16string& failure) {
    if (module_ != nullptr) {
        return true;
    }
    // The DLL's own folder and System32 for what it imports, nothing else.
    module_ = LoadLibraryExW(path_.c_str(), nullptr,
                             LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module_ == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
        // A Windows without those flags; a full path still loads only that file.
        module_ = LoadLibraryExW(path_.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    if (module_ == nullptr) {
        failure = utf16(path_ + L": " + reason(GetLastError()));
        return false;
    }
    return true;
}

EngineLibrary::Address DllLibrary::find(const char* name, std::u16string& failure) {
    const auto address =
        reinterpret_cast<Address>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    if (address == nullptr) {
        const std::wstring export_name(name, name + std::char_traits<char>::length(name));
        failure = utf16(path_ + L": " + export_name + L": " + reason(GetLastError()));
    }
    return address;
}

}  // namespace pelmora
