#include "installation_folder.h"

#define WIN32_NO_STATUS
#include <windows.h>
#undef WIN32_NO_STATUS
#include <ntstatus.h>
#include <winternl.h>

#include <aclapi.h>
#include <sddl.h>

#include <optional>
#include <utility>

#include "folder_rules.h"

namespace folder_check {

namespace {

class Handle {
  public:
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~Handle() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    HANDLE get() const { return handle_; }
    HANDLE* out() { return &handle_; }

  private:
    HANDLE handle_ = nullptr;
};

constexpr ACCESS_MASK kLook =
    FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | READ_CONTROL | SYNCHRONIZE;
constexpr ACCESS_MASK kRemove = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;

// Opens `name` in the folder `parent` as itself, never what a link points to. Without a parent,
// `name` is a path in Windows' object namespace (\??\C:\). With `security`, a folder that is not
// there is made with it; with no security but `create`, it is made with what it inherits.
NTSTATUS open_in(HANDLE parent, std::wstring_view name, ACCESS_MASK access, ULONG options,
                 Handle& opened, bool create = false, PSECURITY_DESCRIPTOR security = nullptr) {
    UNICODE_STRING unicode;
    unicode.Buffer = const_cast<PWSTR>(name.data());
    unicode.Length = unicode.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &unicode, OBJ_CASE_INSENSITIVE, parent, security);
    IO_STATUS_BLOCK status;
    return NtCreateFile(
        opened.out(), access | SYNCHRONIZE, &attributes, &status, nullptr, FILE_ATTRIBUTE_NORMAL,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, create ? FILE_CREATE : FILE_OPEN,
        options | FILE_OPEN_REPARSE_POINT | FILE_OPEN_FOR_BACKUP_INTENT |
            FILE_SYNCHRONOUS_IO_NONALERT,
        nullptr, 0);
}

Refusal failure(const std::wstring& path, NTSTATUS status) {
    if (status == STATUS_SHARING_VIOLATION || status == STATUS_DELETE_PENDING ||
        status == STATUS_OBJECT_NAME_COLLISION || status == STATUS_CANNOT_DELETE) {
        return {Reason::in_use, path};
    }
    return {Reason::failed, path, RtlNtStatusToDosError(status)};
}

// A link by what its handle says, and by what its name says: wine tells a link only by the
// latter. A reparse point that stands for the file itself (a compressed or deduplicated file, a
// cloud file) is no link.
bool is_link(HANDLE handle, const std::wstring& path) {
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag) &&
        (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
        reparse_point_is_a_link(tag.ReparseTag)) {
        return true;
    }
    WIN32_FIND_DATAW found;
    const HANDLE search =
        FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           reparse_point_is_a_link(found.dwReserved0);
}

std::wstring sid_text(PSID sid) {
    wchar_t* text = nullptr;
    if (sid == nullptr || !ConvertSidToStringSidW(sid, &text)) {
        return {};
    }
    std::wstring result = text;
    LocalFree(text);
    return result;
}

std::optional<Security> security_of(HANDLE handle) {
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(handle, SE_FILE_OBJECT,
                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                        &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    Security security{sid_text(owner), dacl != nullptr, {}};
    for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void**>(&header))) {
            continue;
        }
        const bool allows = header->AceType != ACCESS_DENIED_ACE_TYPE;
        // Every kind of entry keeps its mask and, for the plain ones, its trustee at the same
        // place; an unusual kind that grants is counted as a stranger's.
        const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
        const bool plain =
            header->AceType == ACCESS_ALLOWED_ACE_TYPE || header->AceType == ACCESS_DENIED_ACE_TYPE;
        security.aces.push_back({plain ? sid_text(const_cast<DWORD*>(&ace->SidStart)) : L"",
                                 ace->Mask, allows, (header->AceFlags & INHERIT_ONLY_ACE) != 0});
    }
    LocalFree(descriptor);
    return security;
}

// Whether anyone but `trusted` may change the folder open as `handle`; so it is when its security
// cannot be read.
bool changeable(HANDLE handle, bool drive_root, const std::vector<std::wstring>& trusted) {
    const std::optional<Security> security = security_of(handle);
    return !security || changeable_by_others(*security, drive_root, trusted);
}

struct Entry {
    std::wstring name;
    bool folder;
    bool link;
};

std::optional<std::vector<Entry>> entries_of(HANDLE folder) {
    std::vector<Entry> entries;
    alignas(FILE_FULL_DIR_INFO) BYTE buffer[16384];
    FILE_INFO_BY_HANDLE_CLASS kind = FileFullDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(folder, kind, buffer, sizeof buffer)) {
        kind = FileFullDirectoryInfo;
        for (auto* info = reinterpret_cast<FILE_FULL_DIR_INFO*>(buffer);;
             info = reinterpret_cast<FILE_FULL_DIR_INFO*>(reinterpret_cast<BYTE*>(info) +
                                                          info->NextEntryOffset)) {
            const std::wstring name(info->FileName, info->FileNameLength / sizeof(wchar_t));
            // A reparse point's tag stands where the size of its extended attributes would.
            const bool reparse = (info->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (name != L"." && name != L"..") {
                entries.push_back({name, (info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                   reparse && reparse_point_is_a_link(info->EaSize)});
            }
            if (info->NextEntryOffset == 0) {
                break;
            }
        }
    }
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        return std::nullopt;
    }
    return entries;
}

// What to do to each of the installers' files and folders below the installation's folder.
using Visit = Refusal (*)(HANDLE folder, const Entry& entry, const std::wstring& path);

// Goes through the folder `path`, open as `folder`, which is `relative` below the installation's
// folder, depth first: a link refuses it, and so does anything foreign unless `foreign_allowed`.
// `visit`, when there is one, is done to each of the installers' files and folders, a folder's
// after what it holds.
Refusal go_through(HANDLE folder, const std::wstring& path, const std::wstring& relative,
                   bool foreign_allowed, Visit visit = nullptr) {
    const std::optional<std::vector<Entry>> entries = entries_of(folder);
    if (!entries) {
        return {Reason::failed, path, GetLastError()};
    }
    for (const Entry& entry : *entries) {
        const std::wstring full = path + L"\\" + entry.name;
        const std::wstring below = relative + entry.name + (entry.folder ? L"\\" : L"");
        const bool ours = installed_by_us(below);
        if (entry.link && (ours || !foreign_allowed)) {
            return {Reason::link, full};
        }
        if (!ours) {
            if (foreign_allowed) {
                continue;
            }
            return {Reason::foreign_file, full};
        }
        if (entry.folder) {
            Handle inner;
            if (const NTSTATUS status =
                    open_in(folder, entry.name, kLook, FILE_DIRECTORY_FILE, inner);
                !NT_SUCCESS(status)) {
                return failure(full, status);
            }
            if (is_link(inner.get(), full)) {
                return {Reason::link, full};
            }
            if (Refusal refusal = go_through(inner.get(), full, below, foreign_allowed, visit)) {
                return refusal;
            }
        }
        if (visit != nullptr) {
            if (Refusal refusal = visit(folder, entry, full)) {
                return refusal;
            }
        }
    }
    return {};
}

// A file that a program holds cannot be written: a running program, a loaded DLL. It is opened
// for writing, as itself, and at once closed, which changes nothing.
Refusal held(HANDLE folder, const Entry& entry, const std::wstring& path) {
    if (entry.folder) {
        return {};
    }
    Handle file;
    const NTSTATUS status = open_in(folder, entry.name, FILE_WRITE_DATA | FILE_READ_ATTRIBUTES,
                                    FILE_NON_DIRECTORY_FILE, file);
    return status == STATUS_SHARING_VIOLATION || status == STATUS_ACCESS_DENIED
               ? Refusal{Reason::in_use, path}
               : Refusal{};
}

// Whether someone holds the folder `name` in `parent` open so that it cannot be deleted.
Refusal folder_held(HANDLE parent, const std::wstring& name, const std::wstring& path) {
    Handle folder;
    const NTSTATUS status = open_in(parent, name, DELETE | kLook, FILE_DIRECTORY_FILE, folder);
    return status == STATUS_SHARING_VIOLATION ? Refusal{Reason::in_use, path} : Refusal{};
}

// Windows 10's class for a deletion that lets the name go at once, and ignores the read-only
// attribute, which the headers declare only for a later version than the one the program is
// built for.
constexpr auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
constexpr DWORD kIgnoreReadOnly = 0x10;

// Marks what `handle` names for deletion: at once where the file system lets a name go while
// others hold it open, otherwise once the last handle is closed.
NTSTATUS delete_on_close(HANDLE handle) {
    FILE_DISPOSITION_INFO_EX now{FILE_DISPOSITION_FLAG_DELETE |
                                 FILE_DISPOSITION_FLAG_POSIX_SEMANTICS | kIgnoreReadOnly};
    if (SetFileInformationByHandle(handle, kFileDispositionInfoEx, &now, sizeof now)) {
        return STATUS_SUCCESS;
    }
    // Before Windows 10 a read-only file is made writable first, unless another name of it,
    // elsewhere, would change with it.
    FILE_STANDARD_INFO standard{};
    if (GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard) &&
        !standard.Directory && standard.NumberOfLinks == 1) {
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic);
    }
    FILE_DISPOSITION_INFO later{TRUE};
    if (SetFileInformationByHandle(handle, FileDispositionInfo, &later, sizeof later)) {
        return STATUS_SUCCESS;
    }
    switch (GetLastError()) {
        case ERROR_DIR_NOT_EMPTY:
            return STATUS_DIRECTORY_NOT_EMPTY;
        case ERROR_ACCESS_DENIED:  // a running program or a loaded DLL, since DELETE was granted
            return STATUS_CANNOT_DELETE;
        default:
            return STATUS_UNSUCCESSFUL;
    }
}

// Deletes one of the installers' files, or one of their folders once it is empty; a folder that
// still holds something stays.
Refusal delete_one(HANDLE folder, const Entry& entry, const std::wstring& path) {
    Handle inner;
    const ACCESS_MASK access = entry.folder ? kRemove | kLook : kRemove;
    const ULONG options = entry.folder ? FILE_DIRECTORY_FILE : FILE_NON_DIRECTORY_FILE;
    NTSTATUS status = open_in(folder, entry.name, access, options, inner);
    if (NT_SUCCESS(status) && !is_link(inner.get(), path)) {
        status = delete_on_close(inner.get());
    }
    return NT_SUCCESS(status) || status == STATUS_DIRECTORY_NOT_EMPTY ? Refusal{}
                                                                      : failure(path, status);
}

// Backing up and restoring let an administrator open and lock a folder whatever its permissions
// say, and give it the administrators as owner.
void enable_privileges() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
        return;
    }
    for (const wchar_t* name : {SE_BACKUP_NAME, SE_RESTORE_NAME, SE_TAKE_OWNERSHIP_NAME}) {
        TOKEN_PRIVILEGES privileges{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
        if (LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid)) {
            AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        }
    }
    CloseHandle(token);
}

class LockedFolderSecurity {
  public:
    LockedFolderSecurity() {
        ConvertStringSecurityDescriptorToSecurityDescriptorW(
            PELMORA_LOCKED_FOLDER_SDDL, SDDL_REVISION_1, &descriptor_, nullptr);
    }
    LockedFolderSecurity(const LockedFolderSecurity&) = delete;
    LockedFolderSecurity& operator=(const LockedFolderSecurity&) = delete;
    ~LockedFolderSecurity() { LocalFree(descriptor_); }
    PSECURITY_DESCRIPTOR get() const { return descriptor_; }

  private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

// The same file or folder, by its volume and its number there, whatever its path says.
bool same_object(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

// An installation's folder, opened from the drive's root down, never through a link, with the
// folder above it.
struct Walked {
    Handle parent;
    Handle folder;  // none when the folder is not there
    bool created = false;
    Refusal refusal;
};

// Opens the folders of `path` one below the other, the last for `access`. When `installing`,
// each folder above the last must be one that no one but `trusted` may change, on a fixed drive
// that keeps permissions; with `security`, a missing folder is made with it.
Walked walk(const LocalPath& path, bool installing, ACCESS_MASK access,
            const std::vector<std::wstring>& trusted, PSECURITY_DESCRIPTOR security = nullptr) {
    Walked walked;
    if (const NTSTATUS status =
            open_in(nullptr, L"\\??\\" + path.root, kLook, FILE_DIRECTORY_FILE, walked.folder);
        !NT_SUCCESS(status)) {
        walked.refusal = failure(path.root, status);
        return walked;
    }
    DWORD volume = 0;
    if (installing && (GetDriveTypeW(path.root.c_str()) != DRIVE_FIXED ||
                       !GetVolumeInformationByHandleW(walked.folder.get(), nullptr, 0, nullptr,
                                                      nullptr, &volume, nullptr, 0) ||
                       (volume & FILE_PERSISTENT_ACLS) == 0)) {
        walked.refusal = {Reason::not_on_a_fixed_drive, path.root};
        return walked;
    }
    const std::size_t depth = path.names.size();
    for (std::size_t i = 0; i <= depth; ++i) {
        const std::wstring here = path.prefix(i);
        if (i > 0) {
            walked.parent = std::move(walked.folder);
            const ACCESS_MASK wanted = i == depth ? access : kLook;
            NTSTATUS status = open_in(walked.parent.get(), path.names[i - 1], wanted,
                                      FILE_DIRECTORY_FILE, walked.folder);
            if (status == STATUS_OBJECT_NAME_NOT_FOUND && security == nullptr) {
                return walked;
            }
            if (status == STATUS_OBJECT_NAME_NOT_FOUND) {
                status = open_in(walked.parent.get(), path.names[i - 1], wanted,
                                 FILE_DIRECTORY_FILE, walked.folder, true, security);
                walked.created = NT_SUCCESS(status);
            }
            if (status == STATUS_NOT_A_DIRECTORY) {
                walked.refusal = {installing ? Reason::foreign_file : Reason::failed, here,
                                  ERROR_DIRECTORY};
                return walked;
            }
            if (!NT_SUCCESS(status)) {
                walked.refusal = failure(here, status);
                return walked;
            }
            if (is_link(walked.folder.get(), here)) {
                walked.refusal = {Reason::link, here};
                return walked;
            }
        }
        if (installing && i < depth && changeable(walked.folder.get(), i == 0, trusted)) {
            walked.refusal = {Reason::changeable_by_users, here};
            return walked;
        }
    }
    return walked;
}

// The installation's folder, which a user could not change, or a new one: an existing folder
// that others may change is made anew, so that their rights and handles reach only the old one.
// `empty_kept`: what the installers put into a folder that is kept is deleted as well.
Refusal make_ready(Walked& walked, const LocalPath& path, const std::vector<std::wstring>& trusted,
                   bool empty_kept) {
    const std::wstring here = path.prefix(path.names.size());
    if (!walked.created) {
        if (Refusal refusal = go_through(walked.folder.get(), here, L"", false)) {
            return refusal;
        }
        const bool kept = !changeable(walked.folder.get(), false, trusted);
        if (kept && !empty_kept) {
            return {};
        }
        if (Refusal refusal = go_through(walked.folder.get(), here, L"", false, delete_one)) {
            return refusal;
        }
        if (kept) {
            return {};
        }
        if (const NTSTATUS status = delete_on_close(walked.folder.get()); !NT_SUCCESS(status)) {
            return status == STATUS_DIRECTORY_NOT_EMPTY ? Refusal{Reason::in_use, here}
                                                        : failure(here, status);
        }
        walked.folder = Handle();
        const LockedFolderSecurity locked;
        if (const NTSTATUS status = open_in(walked.parent.get(), path.names.back(), kLook,
                                            FILE_DIRECTORY_FILE, walked.folder, true, locked.get());
            !NT_SUCCESS(status)) {
            return failure(here, status);
        }
    }
    if (changeable(walked.folder.get(), false, trusted)) {
        return {Reason::failed, here, ERROR_INVALID_SECURITY_DESCR};
    }
    return go_through(walked.folder.get(), here, L"", false);
}

std::optional<LocalPath> parsed(std::wstring_view folder, Refusal& refusal);

// Goes through the installation in `folder`, if it is there, with `visit`; foreign files may be
// there, links may not.
Refusal go_through_installation(std::wstring_view folder, Visit visit) {
    Refusal refusal;
    const std::optional<LocalPath> path = parsed(folder, refusal);
    if (!path) {
        return refusal;
    }
    Walked walked = walk(*path, false, kLook, {});
    return walked.refusal || walked.folder.get() == nullptr
               ? walked.refusal
               : go_through(walked.folder.get(), path->prefix(path->names.size()), L"", true,
                            visit);
}

std::optional<LocalPath> parsed(std::wstring_view folder, Refusal& refusal) {
    std::optional<LocalPath> path = parse_local_path(folder);
    if (!path) {
        refusal = {Reason::not_a_local_folder, std::wstring(folder)};
    }
    return path;
}

}  // namespace

std::wstring own_administrator_sid() {
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    BOOL member = FALSE;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) ||
        !CheckTokenMembership(nullptr, administrators, &member) || !member) {
        return {};
    }
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token) &&
        !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD length = 0;
    const bool known = GetTokenInformation(token, TokenUser, user, sizeof user, &length);
    CloseHandle(token);
    return known ? sid_text(reinterpret_cast<TOKEN_USER*>(user)->User.Sid) : std::wstring();
}

Refusal check_installation_folder(std::wstring_view folder,
                                  const std::vector<std::wstring>& trusted) {
    Refusal refusal;
    const std::optional<LocalPath> path = parsed(folder, refusal);
    if (!path) {
        return refusal;
    }
    Walked walked = walk(*path, true, kLook, trusted);
    if (walked.refusal || walked.folder.get() == nullptr) {
        return walked.refusal;
    }
    const std::wstring here = path->prefix(path->names.size());
    if (Refusal foreign = go_through(walked.folder.get(), here, L"", false)) {
        return foreign;
    }
    // A folder to be made anew must not be held open, which is found before anything changes.
    return changeable(walked.folder.get(), false, trusted)
               ? folder_held(walked.parent.get(), path->names.back(), here)
               : Refusal{};
}

Refusal check_removal(std::wstring_view folder) {
    return go_through_installation(folder, nullptr);
}

Refusal check_held(std::wstring_view folder) {
    return go_through_installation(folder, held);
}

Refusal prepare_installation_folder(std::wstring_view folder,
                                    const std::vector<std::wstring>& trusted, bool empty_kept) {
    Refusal refusal;
    const std::optional<LocalPath> path = parsed(folder, refusal);
    if (!path) {
        return refusal;
    }
    enable_privileges();
    const LockedFolderSecurity locked;
    Walked walked = walk(*path, true, kLook | DELETE, trusted, locked.get());
    return walked.refusal ? walked.refusal : make_ready(walked, *path, trusted, empty_kept);
}

Refusal remove_installation(std::wstring_view folder, std::wstring_view kept) {
    Refusal refusal;
    const std::optional<LocalPath> path = parsed(folder, refusal);
    if (!path) {
        return refusal;
    }
    enable_privileges();
    Walked walked = walk(*path, false, kLook | DELETE, {});
    if (walked.refusal || walked.folder.get() == nullptr) {
        return walked.refusal;
    }
    if (const std::optional<LocalPath> other =
            kept.empty() ? std::nullopt : parse_local_path(kept)) {
        const Walked installation = walk(*other, false, kLook, {});
        if (installation.folder.get() != nullptr &&
            same_object(walked.folder.get(), installation.folder.get())) {
            return {};
        }
    }
    refusal =
        go_through(walked.folder.get(), path->prefix(path->names.size()), L"", true, delete_one);
    delete_on_close(walked.folder.get());
    return refusal;
}

}  // namespace folder_check
