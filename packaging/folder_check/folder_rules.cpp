#include "folder_rules.h"

#include <algorithm>
#include <array>

namespace folder_check {

namespace {

// Rights on a folder (winnt.h): adding a file or a folder to it, changing its attributes (a
// folder can be turned into a link), deleting what it holds or itself, its permissions and owner,
// and the generic rights that include them.
constexpr std::uint32_t kAddFile = 0x2;
constexpr std::uint32_t kAddSubdirectory = 0x4;
constexpr std::uint32_t kDeleteChild = 0x40;
constexpr std::uint32_t kWriteAttributes = 0x100;
constexpr std::uint32_t kDelete = 0x10000;
constexpr std::uint32_t kWriteDac = 0x40000;
constexpr std::uint32_t kWriteOwner = 0x80000;
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kChangesTheRoot = kDeleteChild | kWriteDac | kWriteOwner | kGenericAll;
constexpr std::uint32_t kChangesAFolder =
    kChangesTheRoot | kAddFile | kAddSubdirectory | kWriteAttributes | kDelete | kGenericWrite;

// CREATOR OWNER, CREATOR GROUP and OWNER RIGHTS stand for whoever owns the folder, which is
// judged by itself.
bool stands_for_the_owner(std::wstring_view trustee) {
    return trustee == L"S-1-3-0" || trustee == L"S-1-3-1" || trustee == L"S-1-3-4";
}

wchar_t lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
}

bool reserved_device(std::wstring_view name) {
    const std::wstring_view stem = name.substr(0, name.find(L'.'));
    static constexpr std::array<std::wstring_view, 6> kDevices = {L"con", L"prn",    L"aux",
                                                                  L"nul", L"conin$", L"conout$"};
    if (std::any_of(kDevices.begin(), kDevices.end(),
                    [&](std::wstring_view device) { return same_name(stem, device); })) {
        return true;
    }
    return stem.size() == 4 &&
           (same_name(stem.substr(0, 3), L"com") || same_name(stem.substr(0, 3), L"lpt")) &&
           stem[3] >= L'0' && stem[3] <= L'9';
}

bool plain_name(std::wstring_view name) {
    if (name.empty() || name == L"." || name == L".." || name.back() == L'.' ||
        name.back() == L' ' || reserved_device(name)) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](wchar_t c) {
        return c < 32 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos;
    });
}

}  // namespace

std::vector<std::wstring> trusted_sids(std::wstring_view administrator) {
    std::vector<std::wstring> trusted = {
        L"S-1-5-18", L"S-1-5-32-544",
        L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"};
    if (!administrator.empty()) {
        trusted.emplace_back(administrator);
    }
    return trusted;
}

bool changeable_by_others(const Security& security, bool drive_root,
                          const std::vector<std::wstring>& trusted) {
    const auto is_trusted = [&](const std::wstring& sid) {
        return std::find(trusted.begin(), trusted.end(), sid) != trusted.end();
    };
    if (!security.has_dacl || !is_trusted(security.owner)) {
        return true;
    }
    const std::uint32_t changes = drive_root ? kChangesTheRoot : kChangesAFolder;
    return std::any_of(security.aces.begin(), security.aces.end(), [&](const Ace& ace) {
        return ace.allows && !ace.inherit_only && (ace.mask & changes) != 0 &&
               !is_trusted(ace.trustee) && !stands_for_the_owner(ace.trustee);
    });
}

std::wstring LocalPath::prefix(std::size_t count) const {
    std::wstring path = root;
    for (std::size_t i = 0; i < count && i < names.size(); ++i) {
        if (i > 0) {
            path += L'\\';
        }
        path += names[i];
    }
    return path;
}

std::optional<LocalPath> parse_local_path(std::wstring_view path) {
    if (path.size() < 4 || lower(path[0]) < L'a' || lower(path[0]) > L'z' || path[1] != L':' ||
        path[2] != L'\\') {
        return std::nullopt;
    }
    LocalPath local{std::wstring(path.substr(0, 3)), {}};
    std::wstring_view rest = path.substr(3);
    if (rest.back() == L'\\') {
        rest.remove_suffix(1);
    }
    while (true) {
        const std::size_t end = rest.find(L'\\');
        const std::wstring_view name = rest.substr(0, end);
        if (!plain_name(name)) {
            return std::nullopt;
        }
        local.names.emplace_back(name);
        if (end == std::wstring_view::npos) {
            return local;
        }
        rest.remove_prefix(end + 1);
    }
}

bool same_name(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}

bool reparse_point_is_a_link(std::uint32_t tag) {
    // Windows' compressed (WOF), deduplicated, single-instance and hierarchical-storage files,
    // and cloud files of any provider; every other tag, and none (wine tells none), is a link.
    static constexpr std::array<std::uint32_t, 5> kData = {0x80000017, 0x80000013, 0x80000007,
                                                           0xC0000004, 0x80000006};
    return (tag & 0xFFFF0FFF) != 0x9000001A &&
           std::find(kData.begin(), kData.end(), tag) == kData.end();
}

bool same_folder(std::wstring_view a, std::wstring_view b) {
    const std::optional<LocalPath> first = parse_local_path(a);
    const std::optional<LocalPath> second = parse_local_path(b);
    if (!first || !second) {
        return same_name(a, b);
    }
    return same_name(first->root, second->root) &&
           std::equal(first->names.begin(), first->names.end(), second->names.begin(),
                      second->names.end(), same_name);
}

bool installed_by_us(std::wstring_view relative) {
    static constexpr std::array<std::wstring_view, 14> kInstalled = {
        L"Pelmora.exe",      L"vantrel.dll",
        L"LICENSE.txt",      L"THIRD-PARTY-NOTICES.txt",
        L"readme.txt",       L"manual.html",
        L"Uninstall.exe",    L"x86\\",
        L"x86\\vantrel.dll", L"sdk\\",
        L"sdk\\vantrel.h",   L"sdk\\libvantrel.dll.a",
        L"sdk\\x86\\",       L"sdk\\x86\\libvantrel.dll.a"};
    return std::any_of(kInstalled.begin(), kInstalled.end(),
                       [&](std::wstring_view ours) { return same_name(relative, ours); });
}

}  // namespace folder_check
