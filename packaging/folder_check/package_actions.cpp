// folder_check.dll, the Windows Installer package's custom actions on the installation's folder.
//
// CheckInstallationFolder, immediate, once the folders are resolved and before anything is
// changed (an earlier version included): refuses a repair or change that names another folder
// than the installation's, and a folder that may not be installed into, with a message. It hands
// the folder, and the account of the administrator who installs, to the next action.
//
// PrepareInstallationFolder, deferred, as SYSTEM, before the folders are made: makes the folder
// ready, as the NSIS installer does, on a first installation or an upgrade.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>

#include "folder_rules.h"
#include "installation_folder.h"
#include "refusal.h"

namespace {

std::wstring property(MSIHANDLE install, const wchar_t* name) {
    DWORD size = 0;
    wchar_t empty[1] = L"";
    if (MsiGetPropertyW(install, name, empty, &size) != ERROR_MORE_DATA) {
        return {};
    }
    std::wstring value(++size, L'\0');
    if (MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    value.resize(size);
    return value;
}

UINT refuse(MSIHANDLE install, const folder_check::Refusal& refusal) {
    // The text stands in a field of its own, so that a bracket in a path is not read as a
    // property's name.
    PMSIHANDLE record = MsiCreateRecord(1);
    MsiRecordSetStringW(record, 0, L"[1]");
    MsiRecordSetStringW(record, 1, folder_check::refusal_text(refusal, true).c_str());
    MsiProcessMessage(install, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR), record);
    return ERROR_INSTALL_FAILURE;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CheckInstallationFolder(MSIHANDLE install) {
    using namespace folder_check;
    const std::wstring folder = property(install, L"INSTALLDIR");
    const std::wstring installed_in = property(install, L"PELMORA_INSTALLED_DIR");
    if (!property(install, L"Installed").empty() && !installed_in.empty() &&
        !same_folder(folder, installed_in)) {
        return refuse(install, {Reason::moved_in_maintenance, installed_in});
    }
    const std::wstring administrator = own_administrator_sid();
    if (const Refusal refusal = check_installation_folder(folder, trusted_sids(administrator))) {
        return refuse(install, refusal);
    }
    MsiSetPropertyW(install, L"PrepareInstallationFolder", (folder + L"|" + administrator).c_str());
    return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall PrepareInstallationFolder(MSIHANDLE install) {
    using namespace folder_check;
    const std::wstring data = property(install, L"CustomActionData");
    const std::size_t bar = data.find(L'|');
    if (bar == std::wstring::npos) {
        return refuse(install, {Reason::failed, data, ERROR_INVALID_DATA});
    }
    std::vector<std::wstring> trusted = trusted_sids(data.substr(bar + 1));
    if (const std::wstring own = own_administrator_sid(); !own.empty()) {
        trusted.push_back(own);
    }
    // Windows Installer replaces the files itself, waiting for those a program holds.
    if (const Refusal refusal = prepare_installation_folder(data.substr(0, bar), trusted, false)) {
        return refuse(install, refusal);
    }
    return ERROR_SUCCESS;
}
