#ifndef PELMORA_FOLDER_CHECK_REFUSAL_H
#define PELMORA_FOLDER_CHECK_REFUSAL_H

#include <string>

namespace folder_check {

// Why an installer refuses a folder, or why it could not make it safe.
enum class Reason {
    none,
    not_a_local_folder,    // not of the form X:\name\..., or a drive's root
    not_on_a_fixed_drive,  // a network, removable or other drive, or one that keeps no permissions
    link,                  // a junction or a symbolic link in the path or below the folder
    foreign_file,          // something the installers never put there
    changeable_by_users,   // a folder above it that others than the administrators may change
    in_use,                // held by a program, so that it cannot be replaced or made anew
    failed,                // Windows refused to create, lock or read it
    moved_in_maintenance,  // a repair or change asked for another folder than the installation's
};

struct Refusal {
    Reason reason = Reason::none;
    std::wstring path;        // the folder or file that the reason is about
    unsigned long error = 0;  // Windows' error code, for Reason::failed

    explicit operator bool() const { return reason != Reason::none; }
};

// What the installers show for a refusal: in Japanese, or in English for an installer that runs in
// English.
std::wstring refusal_text(const Refusal& refusal, bool japanese);

}  // namespace folder_check

#endif
