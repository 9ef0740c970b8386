#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "form/engine.h"
#include "win32/engine_library.h"
#include "win32/wide.h"

namespace {

// A folder of its own under the temporary folder, removed with what it holds.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(const wchar_t* name) {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        path = std::wstring(base) + name + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~TemporaryFolder() {
        DeleteFileW((path + L"\\vantrel.dll").c_str());
        RemoveDirectoryW(path.c_str());
    }
    std::wstring path;
};

// The build's path of the planted DLL, as wine sees it.
std::wstring planted_engine() {
    std::wstring path =
        L"Z:" + pelmora::wide(std::u16string(std::u16string_view(u"" PLANTED_ENGINE_U16)));
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

TEST(DllLibrary, LoadsTheEngineBesideTheProgramAndBindsItsExports) {
    pelmora::DllLibrary library;
    pelmora::BoundEngine engine(library);
    EXPECT_EQ(engine.cal_trunk(10, 0.01).value, 17.44999999999993);
    EXPECT_EQ(engine.cal_traffic(0.01, 10, 3).value, 90);
}

// A vantrel.dll in the current folder or on the search path is never the one loaded: the loader
// looks in the program's folder alone, and says so in Windows' words.
TEST(DllLibrary, NeverLoadsADllPlantedInTheCurrentFolderOrOnThePath) {
    TemporaryFolder planted(L"pelmora-planted-");
    TemporaryFolder empty(L"pelmora-empty-");
    ASSERT_TRUE(
        CopyFileW(planted_engine().c_str(), (planted.path + L"\\vantrel.dll").c_str(), FALSE));
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(planted.path.c_str()));
    SetEnvironmentVariableW(L"PATH", (planted.path + L";C:\\windows\\system32").c_str());

    pelmora::DllLibrary library(empty.path);
    std::u16string failure;
    EXPECT_FALSE(library.load(failure));
    EXPECT_NE(failure.find(pelmora::utf16(empty.path + L"\\vantrel.dll: ")), std::u16string::npos)
        << std::string(failure.begin(), failure.end());
    EXPECT_EQ(GetModuleHandleW(L"vantrel.dll"), nullptr);

    // The planted one is a real DLL: from its own folder it loads, and lacks cal_traffic.
    pelmora::DllLibrary planted_library(planted.path);
    pelmora::BoundEngine engine(planted_library);
    EXPECT_EQ(engine.cal_trunk(10, 0.01).value, 42);
    const pelmora::EngineAnswer missing = engine.cal_traffic(0.01, 10, 3);
    EXPECT_FALSE(missing.value.has_value());
    EXPECT_NE(missing.failure.find(u"cal_traffic: "), std::u16string::npos);
    SetCurrentDirectoryW(before);
}

}  // namespace
