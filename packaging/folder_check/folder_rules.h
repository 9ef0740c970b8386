#ifndef PELMORA_FOLDER_CHECK_FOLDER_RULES_H
#define PELMORA_FOLDER_CHECK_FOLDER_RULES_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What an installer that runs as an administrator may trust of a folder, decided on what Windows
// reports of it. Free of Windows headers, so that it is tested on any system.
namespace folder_check {

// An access-control entry of a folder's discretionary list, its trustee a SID in text form.
struct Ace {
    std::wstring trustee;
    std::uint32_t mask = 0;
    bool allows = true;
    bool inherit_only = false;  // a template for what is made inside, not a right on the folder
};

struct Security {
    std::wstring owner;
    bool has_dacl = true;  // without one, everyone may do everything
    std::vector<Ace> aces;
};

// SYSTEM, the Administrators group and TrustedInstaller, and `administrator` when the installer
// runs as an administrator's own account: the ones whose folders an installer may build on.
std::vector<std::wstring> trusted_sids(std::wstring_view administrator = {});

// Whether anyone not in `trusted` may put something into the folder, delete or rename what it
// holds or the folder itself, or rewrite its permissions or owner. At a drive's root every user may
// create folders (Windows' default), which takes nothing from anyone: there only deleting a
// folder, or the permissions and owner, count.
bool changeable_by_others(const Security& security, bool drive_root,
                          const std::vector<std::wstring>& trusted);

// A folder on a drive: the drive's root ("C:\") and the names of the folders below it, in order.
struct LocalPath {
    std::wstring root;
    std::vector<std::wstring> names;

    // The root and the first `count` names, joined by backslashes.
    std::wstring prefix(std::size_t count) const;
};

// X:\name\name...[\], without "." or ".." or names that Windows would read as another name (a
// trailing dot or blank, a device name, a stream); nothing otherwise, and nothing for a root.
std::optional<LocalPath> parse_local_path(std::wstring_view path);

// Whether the path below the installation's folder (names joined by backslashes, a folder's with a
// backslash after it) is one of the files or folders that the installers put there, in this
// version or any earlier one: a name is never taken off the list, or an upgrade would refuse what
// an earlier version installed.
bool installed_by_us(std::wstring_view relative);

// Whether a reparse point with `tag` may make a name stand for another (a junction, a symbolic
// link, any kind not known), rather than hold the file's own data in another way (a compressed,
// deduplicated or cloud file).
bool reparse_point_is_a_link(std::uint32_t tag);

// Whether two paths name the same folder, a backslash at the end or not.
bool same_folder(std::wstring_view a, std::wstring_view b);

// Whether two names are the same to Windows, for the ASCII names that this installation uses.
bool same_name(std::wstring_view a, std::wstring_view b);

}  // namespace folder_check

#endif
