#ifndef PELMORA_FOLDER_CHECK_INSTALLATION_FOLDER_H
#define PELMORA_FOLDER_CHECK_INSTALLATION_FOLDER_H

#include <string>
#include <string_view>
#include <vector>

#include "refusal.h"

// The installers' work on the installation's folder, done as an administrator, for the NSIS
// installer (folder_check.exe) and the Windows Installer package (folder_check.dll). Every folder
// is opened by a handle, one name below the handle of the folder above it and as itself, never
// what a link points to: nothing is read, made or deleted through a link, whatever anyone puts in
// place of a folder meanwhile.
namespace folder_check {

// The account of this process when it is an administrator's, as a SID in text form; empty
// otherwise.
std::wstring own_administrator_sid();

// Whether `folder` may be installed into, changing nothing: on a local fixed drive that keeps
// permissions; no link in its path; no folder above it that others than `trusted` may change; and
// where it exists, nothing in it but what the installers put there, and no link.
Refusal check_installation_folder(std::wstring_view folder,
                                  const std::vector<std::wstring>& trusted);

// Whether the installation in `folder` may be removed: no link in its path or below it.
Refusal check_removal(std::wstring_view folder);

// Whether a program holds a file of the installation in `folder` (a running program, a loaded
// DLL), which then cannot be replaced: Reason::in_use, naming it.
Refusal check_held(std::wstring_view folder);

// Makes `folder` ready for the files, after the same checks. A folder that no one but `trusted`
// may change is kept, what an earlier installation left in it deleted if `empty_kept`. Any other
// is made anew, after what an earlier installation left in it is deleted, so that no one's rights
// or open handles on the old one reach into it; so is any missing folder above it. Each folder
// made is owned by the administrators, with permissions of its own: SYSTEM and the administrators
// may do everything, users read and run.
Refusal prepare_installation_folder(std::wstring_view folder,
                                    const std::vector<std::wstring>& trusted, bool empty_kept);

// Deletes what the installers put into `folder`, then the folder if nothing else is left, never
// following a link; what is not the installers' stays, and so does what cannot be deleted (the
// first of which is returned). Nothing is deleted when `folder` is the folder `kept`, however
// either is written.
Refusal remove_installation(std::wstring_view folder, std::wstring_view kept = {});

}  // namespace folder_check

#endif
