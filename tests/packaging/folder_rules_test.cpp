#include "folder_rules.h"

#include <gtest/gtest.h>

#include "refusal.h"

namespace folder_check {
namespace {

// Rights as Windows writes them: read and run, modify, full control; adding a folder, deleting
// one inside.
constexpr std::uint32_t kReadAndRun = 0x1200a9;
constexpr std::uint32_t kModify = 0x1301bf;
constexpr std::uint32_t kFull = 0x1f01ff;
constexpr std::uint32_t kAddFolder = 0x4;
constexpr std::uint32_t kDeleteInside = 0x40;
const std::wstring kAdmins = L"S-1-5-32-544", kSystem = L"S-1-5-18";
const std::wstring kUsers = L"S-1-5-32-545", kAuthenticated = L"S-1-5-11";
const std::wstring kAlice = L"S-1-5-21-1-2-3-1001", kBob = L"S-1-5-21-1-2-3-1002";

struct Case {
    const char* what;
    Security security;
    bool root;
    bool changeable;
};

class Changeable : public testing::TestWithParam<Case> {};

TEST_P(Changeable, ByOthersThanTheTrusted) {
    EXPECT_EQ(changeable_by_others(GetParam().security, GetParam().root, trusted_sids(kAlice)),
              GetParam().changeable);
}

const Ace kSystemFull{kSystem, kFull}, kAdminsFull{kAdmins, kFull};

INSTANTIATE_TEST_SUITE_P(
    Folders, Changeable,
    testing::Values(
        Case{"ProgramFiles",
             {L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
              true,
              {kSystemFull, kAdminsFull, {kUsers, kReadAndRun}, {L"S-1-3-0", kFull, true, true}}},
             false,
             false},
        Case{"ADriveRootWhereUsersMakeFolders",
             {kSystem,
              true,
              {kAdminsFull, {kAuthenticated, kAddFolder}, {kAuthenticated, kModify, true, true}}},
             true,
             false},
        Case{"AFolderThatInheritedTheRootsModify",
             {kAdmins, true, {kAdminsFull, {kAuthenticated, kModify}}},
             false,
             true},
        Case{"AFolderWhereUsersMayOnlyAddFolders",
             {kAdmins, true, {kAdminsFull, {kUsers, kAddFolder}}},
             false,
             true},
        Case{"ARootWhereUsersMayDeleteFolders",
             {kSystem, true, {kAdminsFull, {kUsers, kDeleteInside}}},
             true,
             true},
        Case{"OwnedByAUser", {kBob, true, {kAdminsFull}}, false, true},
        Case{"OwnedByTheAdministratorWhoInstalls",
             {kAlice, true, {kAdminsFull, {kAlice, kFull}}},
             false,
             false},
        Case{"AUsersOwnRights", {kAdmins, true, {kAdminsFull, {kBob, kModify}}}, false, true},
        Case{"AnUnknownKindOfEntryThatGrants", {kAdmins, true, {{L"", kModify}}}, false, true},
        Case{"DeniedToUsers",
             {kAdmins, true, {kAdminsFull, {kUsers, kModify, false}}},
             false,
             false},
        Case{"NoAccessListAtAll", {kAdmins, false, {}}, false, true},
        Case{"AnOwnerThatCannotBeRead", {L"", true, {kAdminsFull}}, false, true}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(LocalPath, TakesOnlyPlainFoldersOnADrive) {
    const std::optional<LocalPath> path = parse_local_path(L"C:\\Tools\\Pelmora\\");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->root, L"C:\\");
    EXPECT_EQ(path->names, (std::vector<std::wstring>{L"Tools", L"Pelmora"}));
    EXPECT_EQ(path->prefix(1), L"C:\\Tools");
    EXPECT_EQ(path->prefix(0), L"C:\\");
    for (const wchar_t* refused :
         {L"C:\\", L"C:", L"C:Tools", L"\\\\server\\share\\Pelmora", L"\\\\?\\C:\\Pelmora",
          L"C:\\Tools\\..\\Windows", L"C:\\Tools\\.\\Pelmora", L"C:\\Tools\\\\Pelmora",
          L"C:\\Pelmora.", L"C:\\Pelmora ", L"C:\\NUL", L"C:\\com1.txt\\x", L"C:\\a:stream",
          L"C:/Tools/Pelmora", L"1:\\Pelmora", L"C:\\Tools\\Pel\tmora"}) {
        EXPECT_FALSE(parse_local_path(refused)) << testing::PrintToString(std::wstring(refused));
    }
    EXPECT_TRUE(parse_local_path(L"d:\\空巡\\Pelmora"));
    EXPECT_TRUE(same_folder(L"C:\\Tools\\Pelmora\\", L"c:\\tools\\PELMORA"));
    EXPECT_FALSE(same_folder(L"C:\\Tools\\Pelmora\\", L"C:\\Users\\Public\\Mine\\"));
}

TEST(InstalledByUs, TheInstallersFilesAndFoldersOnly) {
    for (const wchar_t* ours :
         {L"Pelmora.exe", L"UNINSTALL.EXE", L"LICENSE.txt", L"THIRD-PARTY-NOTICES.txt",
          L"manual.html", L"x86\\", L"x86\\vantrel.dll", L"sdk\\x86\\libvantrel.dll.a"}) {
        EXPECT_TRUE(installed_by_us(ours)) << testing::PrintToString(std::wstring(ours));
    }
    for (const wchar_t* foreign : {L"version.dll", L"x86", L"Pelmora.exe\\", L"x86\\version.dll",
                                   L"sdk\\x86\\vantrel.dll"}) {
        EXPECT_FALSE(installed_by_us(foreign)) << testing::PrintToString(std::wstring(foreign));
    }
}

TEST(ReparsePoint, IsALinkUnlessItHoldsTheFilesOwnData) {
    for (const std::uint32_t link : {0xA0000003u, 0xA000000Cu, 0x0u, 0x8000001Bu}) {
        EXPECT_TRUE(reparse_point_is_a_link(link)) << std::hex << link;
    }
    for (const std::uint32_t data : {0x80000017u, 0x80000013u, 0x9000001Au, 0x9000701Au}) {
        EXPECT_FALSE(reparse_point_is_a_link(data)) << std::hex << data;
    }
}

TEST(RefusalText, NamesThePathInEitherLanguage) {
    const Refusal refusal{Reason::failed, L"C:\\[Tools]", 5};
    EXPECT_EQ(refusal_text(refusal, true),
              L"C:\\[Tools] を作成できないか、アクセス許可を設定できませんでした (エラー 5)。");
    EXPECT_EQ(refusal_text(refusal, false),
              L"C:\\[Tools] could not be created, or its permissions could not be set (error 5).");
}

}  // namespace
}  // namespace folder_check
