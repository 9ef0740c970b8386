#include "installation_folder.h"

#define WIN32_NO_STATUS
#include <windows.h>
#undef WIN32_NO_STATUS
#include <ntstatus.h>
#include <winternl.h>

#include <aclapi.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

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
        status == STATUS_OBJECT_NAME_COLLISION) {
        return {Reason::in_use, path};
    }
    return {Reason::failed, path, RtlNtStatusToDosError(status)};
}

// A link by what its handle says, and by what its name says: wine tells a link only by the latter.
bool is_link(HANDLE handle, const std::wstring& path) {
    FILE_ATTRIBUTE_TAG_INFO tag{};
    const bool by_handle =
        GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag) &&
        (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    const DWORD by_name = GetFileAttributesW(path.c_str());
    return by_handle ||
           (by_name != INVALID_FILE_ATTRIBUTES && (by_name & FILE_ATTRIBUTE_REPARSE_POINT) != 0);
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

std::optional<LocalPath> program_files() {
    wchar_t* path = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_ProgramFiles, 0, nullptr, &path))) {
        return std::nullopt;
    }
    std::optional<LocalPath> parsed = parse_local_path(path);
    CoTaskMemFree(path);
    return parsed;
}

// Whether the first `count` names of `path` lie inside Program Files.
bool in_program_files(const LocalPath& path, std::size_t count) {
    const std::optional<LocalPath> programs = program_files();
    if (!programs || count <= programs->names.size() || !same_name(path.root, programs->root)) {
        return false;
    }
    for (std::size_t i = 0; i < programs->names.size(); ++i) {
        if (!same_name(path.names[i], programs->names[i])) {
            return false;
        }
    }
    return true;
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
            if (name != L"." && name != L"..") {
                entries.push_back({name, (info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                   (info->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
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

// Looks through the folder `path`, open as `folder`, which is `relative` below the installation's
// folder: a link refuses it, and so does anything foreign unless `foreign_allowed`.
Refusal look_through(HANDLE folder, const std::wstring& path, const std::wstring& relative,
                     bool foreign_allowed) {
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
        if (!entry.folder) {
            continue;
        }
        Handle inner;
        if (const NTSTATUS status = open_in(folder, entry.name, kLook, FILE_DIRECTORY_FILE, inner);
            !NT_SUCCESS(status)) {
            return failure(full, status);
        }
        if (is_link(inner.get(), full)) {
            return {Reason::link, full};
        }
        if (Refusal refusal = look_through(inner.get(), full, below, foreign_allowed)) {
            return refusal;
        }
    }
    return {};
}

// Windows 10's class for a deletion that lets the name go at once, which the headers declare only
// for a later version than the one the program is built for.
constexpr auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);

// Marks what `handle` names for deletion: at once where the file system lets a name go while
// others hold it open, otherwise once the last handle is closed.
NTSTATUS delete_on_close(HANDLE handle) {
    FILE_DISPOSITION_INFO_EX now{FILE_DISPOSITION_FLAG_DELETE |
                                 FILE_DISPOSITION_FLAG_POSIX_SEMANTICS};
    if (SetFileInformationByHandle(handle, kFileDispositionInfoEx, &now, sizeof now)) {
        return STATUS_SUCCESS;
    }
    FILE_DISPOSITION_INFO later{TRUE};
    if (SetFileInformationByHandle(handle, FileDispositionInfo, &later, sizeof later)) {
        return STATUS_SUCCESS;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_DIR_NOT_EMPTY) {
        return STATUS_DIRECTORY_NOT_EMPTY;
    }
    return error == ERROR_ACCESS_DENIED ? STATUS_ACCESS_DENIED : STATUS_UNSUCCESSFUL;
}

// Deletes what the installers put below the folder `path`, open as `folder`: links and foreign
// files stay where they are, and so do the folders that hold them. What cannot be deleted is left
// too, and the first of it is the refusal.
Refusal delete_ours(HANDLE folder, const std::wstring& path, const std::wstring& relative) {
    const std::optional<std::vector<Entry>> entries = entries_of(folder);
    if (!entries) {
        return {Reason::failed, path, GetLastError()};
    }
    Refusal first;
    const auto keep = [&](Refusal refusal) {
        if (!first) {
            first = std::move(refusal);
        }
    };
    for (const Entry& entry : *entries) {
        const std::wstring full = path + L"\\" + entry.name;
        const std::wstring below = relative + entry.name + (entry.folder ? L"\\" : L"");
        if (entry.link || !installed_by_us(below)) {
            continue;
        }
        Handle inner;
        const ACCESS_MASK access = entry.folder ? kRemove | kLook : kRemove;
        const ULONG options = entry.folder ? FILE_DIRECTORY_FILE : FILE_NON_DIRECTORY_FILE;
        if (const NTSTATUS status = open_in(folder, entry.name, access, options, inner);
            !NT_SUCCESS(status)) {
            keep(failure(full, status));
            continue;
        }
        if (is_link(inner.get(), full)) {
            continue;
        }
        if (entry.folder) {
            keep(delete_ours(inner.get(), full, below));
        } else {
            FILE_BASIC_INFO basic{};
            basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
            SetFileInformationByHandle(inner.get(), FileBasicInfo, &basic, sizeof basic);
        }
        if (const NTSTATUS status = delete_on_close(inner.get());
            !NT_SUCCESS(status) && status != STATUS_DIRECTORY_NOT_EMPTY) {
            keep(failure(full, status));
        }
    }
    return first;
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

enum class Work { check, remove_check, prepare, remove };

// Walks from the drive's root down to the installation's folder, never through a link, and does
// `work` there.
Refusal walk(std::wstring_view folder, Work work, const std::vector<std::wstring>& trusted) {
    const std::optional<LocalPath> path = parse_local_path(folder);
    if (!path) {
        return {Reason::not_a_local_folder, std::wstring(folder)};
    }
    const bool installing = work == Work::check || work == Work::prepare;
    const bool changing = work == Work::prepare || work == Work::remove;
    if (changing) {
        enable_privileges();
    }
    Handle current;
    if (const NTSTATUS status =
            open_in(nullptr, L"\\??\\" + path->root, kLook, FILE_DIRECTORY_FILE, current);
        !NT_SUCCESS(status)) {
        return failure(path->root, status);
    }
    DWORD volume = 0;
    if (installing && (GetDriveTypeW(path->root.c_str()) != DRIVE_FIXED ||
                       !GetVolumeInformationByHandleW(current.get(), nullptr, 0, nullptr, nullptr,
                                                      &volume, nullptr, 0) ||
                       (volume & FILE_PERSISTENT_ACLS) == 0)) {
        return {Reason::not_on_a_fixed_drive, path->root};
    }
    const LockedFolderSecurity locked;
    const std::size_t depth = path->names.size();
    const auto security_for = [&](std::size_t count) {
        return in_program_files(*path, count) ? nullptr : locked.get();
    };
    Handle parent;
    bool created = false;
    for (std::size_t i = 0; i <= depth; ++i) {
        const std::wstring here = path->prefix(i);
        if (i > 0) {
            parent = std::move(current);
            const ACCESS_MASK access = i == depth && changing ? kLook | DELETE : kLook;
            NTSTATUS status =
                open_in(parent.get(), path->names[i - 1], access, FILE_DIRECTORY_FILE, current);
            if (status == STATUS_OBJECT_NAME_NOT_FOUND && work != Work::prepare) {
                return {};
            }
            if (status == STATUS_OBJECT_NAME_NOT_FOUND) {
                status = open_in(parent.get(), path->names[i - 1], access, FILE_DIRECTORY_FILE,
                                 current, true, security_for(i));
                created = NT_SUCCESS(status);
            }
            if (status == STATUS_NOT_A_DIRECTORY) {
                return {installing ? Reason::foreign_file : Reason::failed, here, ERROR_DIRECTORY};
            }
            if (!NT_SUCCESS(status)) {
                return failure(here, status);
            }
            if (is_link(current.get(), here)) {
                return {Reason::link, here};
            }
        }
        if (installing && i < depth) {
            const std::optional<Security> security = security_of(current.get());
            if (!security) {
                return {Reason::failed, here, GetLastError()};
            }
            if (changeable_by_others(*security, i == 0, trusted)) {
                return {Reason::changeable_by_users, here};
            }
        }
    }
    const std::wstring here = path->prefix(depth);
    if (work != Work::prepare) {
        if (work != Work::remove) {
            return look_through(current.get(), here, L"", work == Work::remove_check);
        }
        Refusal refusal = delete_ours(current.get(), here, L"");
        delete_on_close(current.get());
        return refusal;
    }
    if (!created) {
        // Made anew: whatever permissions the folder had, and whoever holds it open, reach only
        // the old one.
        if (Refusal refusal = look_through(current.get(), here, L"", false)) {
            return refusal;
        }
        if (Refusal refusal = delete_ours(current.get(), here, L"")) {
            return refusal;
        }
        if (const NTSTATUS status = delete_on_close(current.get()); !NT_SUCCESS(status)) {
            return status == STATUS_DIRECTORY_NOT_EMPTY ? Refusal{Reason::in_use, here}
                                                        : failure(here, status);
        }
        current = Handle();
        if (const NTSTATUS status =
                open_in(parent.get(), path->names.back(), kLook, FILE_DIRECTORY_FILE, current, true,
                        security_for(depth));
            !NT_SUCCESS(status)) {
            return failure(here, status);
        }
    }
    if (security_for(depth) != nullptr) {
        const std::optional<Security> security = security_of(current.get());
        if (!security || changeable_by_others(*security, false, trusted)) {
            return {Reason::failed, here, ERROR_INVALID_SECURITY_DESCR};
        }
    }
    return look_through(current.get(), here, L"", false);
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
    return walk(folder, Work::check, trusted);
}

Refusal check_removal(std::wstring_view folder) {
    return walk(folder, Work::remove_check, {});
}

Refusal prepare_installation_folder(std::wstring_view folder,
                                    const std::vector<std::wstring>& trusted) {
    return walk(folder, Work::prepare, trusted);
}

Refusal remove_installation(std::wstring_view folder) {
    return walk(folder, Work::remove, {});
}

}  // namespace folder_check
