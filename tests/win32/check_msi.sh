#!/usr/bin/env bash
# The Windows Installer package: its tables by the consistency rules (ICE) that packaging teams
# check; then under wine's msiexec, silently, as a deployment tool runs it, in a fresh prefix:
# refused while the NSIS installer's installation is there; refused below a folder that any user
# may change, and in a folder that holds a file of someone else's; installed into a folder of one's
# own that a user made, which is made anew and is no longer the user's, with the files (the
# developers' part left out), the Start-menu shortcut and the Apps & Features entry, whose
# uninstall command and icon exist; the program started through its shortcut and worked to an
# answer; a repair that asks for another folder refused, and one that does not kept in the folder;
# a later version installed over it while the program is open, which replaces
# it in the same folder, and the earlier one refused over it; an uninstall that leaves no file,
# shortcut, entry or key; then the developers' part when it is chosen. Files and keys are checked, not only exit codes.
# Usage: check_msi.sh WINE64 WINESERVER PACKAGE LATER_PACKAGE DRIVER MAKE_PREFIX PROGRAM_VERSION
#                     ENGINE_VERSION INSTALLER
set -euo pipefail
wine64=$1 wineserver=$2 package=$3 later=$4 driver=$5 make_prefix=$6 installer=$9
for file in "$package" "$later" "$installer"; do
    [ -f "$file" ] || { echo "FAIL: no $file: build the targets installer and msi first" >&2; exit 1; }
done
echo "== the tables"
python3 "$(dirname "$0")/check_msi_tables.py" "$package" "$7" "$8"
source "$(dirname "$0")/installer_prefix.sh"
folder="$drive/Tools/Pelmora"
program='C:\Tools\Pelmora\Pelmora.exe'
product_code() { msiinfo export "$1" Property | awk '$1 == "ProductCode" { print $2 }' | tr -d '\r'; }
entry_key() { echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(product_code "$1")"; }
# msiexec's exit code, of which a Linux process's exit status keeps the low byte, is in $code.
msiexec() {
    code=0
    "$wine64" msiexec "$@" /qn || code=$?
    "$wineserver" -w
}
installed() {
    local file
    for file in Pelmora.exe vantrel.dll x86/vantrel.dll; do
        [ -f "$folder/$file" ] || fail "not installed: C:\\Tools\\Pelmora\\$file"
    done
    [ -n "$(shortcut)" ] || fail "no Start-menu shortcut 呼損率の計算 (Pelmora)"
    grep -q "Permission is hereby granted" "$folder/LICENSE.txt" || fail "no licence installed"
    grep -q winpthreads "$folder/THIRD-PARTY-NOTICES.txt" || fail "no notices of the runtime installed"
    [ -f "$folder/manual.html" ] || fail "no manual installed"
}
nothing_left() {
    local code
    [ ! -e "$folder" ] || fail "left behind: $(ls -A "$folder")"
    [ -z "$(shortcut)" ] || fail "shortcut left behind"
    for code in "$(product_code "$package")" "$(product_code "$later")"; do
        [ ! -e "$drive/windows/Installer/$code" ] || fail "the icon's folder left behind"
        ! grep -q -i -e "$code" -e pelmora "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" ||
            fail "keys left behind: $(grep -i -e "$code" -e pelmora "$WINEPREFIX"/*.reg)"
    done
}

echo "== refused beside the installer's installation"
"$wine64" "$(windows_path "$installer")" /S
msiexec /i "$(windows_path "$package")"
# ERROR_INSTALL_FAILURE, 1603: a launch condition failed.
[ "$code" = $((1603 % 256)) ] || fail "exit code $code beside the installer's installation"
! registry "$(entry_key "$package")" /reg:64 > /dev/null || fail "installed beside the installer's"
"$wine64" 'C:\Program Files\Pelmora\Uninstall.exe' /S
"$wineserver" -w

echo "== refused below a folder that any user may change, and beside a file of someone else's"
# Wine shows a folder that every Unix user may write as one that Everyone may change.
mkdir -p "$drive/Open" "$folder"
chmod 777 "$drive/Open" "$folder"
touch "$folder/version.dll"
for refused in 'C:\Open\Pelmora' 'C:\Tools\Pelmora'; do
    msiexec /i "$(windows_path "$package")" "INSTALLDIR=$refused"
    [ "$code" = $((1603 % 256)) ] || fail "exit code $code in $refused"
    ! registry "$(entry_key "$package")" /reg:64 > /dev/null || fail "installed in $refused"
done
[ -z "$(ls -A "$drive/Open")" ] || fail "C:\\Open was changed: $(ls -A "$drive/Open")"
[ "$(ls -A "$folder")" = version.dll ] || fail "the folder was changed: $(ls -A "$folder")"
rm "$folder/version.dll"

echo "== silent install into C:\\Tools\\Pelmora, which a user made"
msiexec /i "$(windows_path "$package")" 'INSTALLDIR=C:\Tools\Pelmora'
installed
(( (8#$(stat -c %a "$folder") & 8#022) == 0 )) || fail "the folder is still the user's: $(stat -c %A "$folder")"
[ ! -e "$folder/sdk" ] || fail "the developers' part is installed without being chosen"
echo "shortcut: $(shortcut | sed "s|$WINEPREFIX/||")"
entry=$(registry "$(entry_key "$package")" /reg:64) || fail "no Apps & Features entry"
echo "$entry"
entry_has "$entry" '"DisplayName"="呼損率の計算 (Pelmora)"' "\"DisplayVersion\"=\"${7//./\\.}\"" \
    '"Publisher"="空巡通信株式会社"' '"NoModify"=dword:00000001' \
    '"InstallLocation"="C:\\\\Tools\\\\Pelmora\\\\"'
names_installed_file "$(entry_key "$package")" UninstallString
# Windows names the icon that the package leaves for the entry in DisplayIcon; wine does not.
[ -f "$drive/windows/Installer/$(product_code "$package")/pelmora.ico" ] || fail "no icon for the entry"

echo "== the program, started through its shortcut"
start_shortcut
"$wine64" "$(windows_path "$driver")" --started "$program"

echo "== a repair that asks for another folder: refused; one that does not: in the folder"
msiexec /i "$(product_code "$package")" REINSTALL=ALL REINSTALLMODE=amus 'INSTALLDIR=C:\Users\Public\Mine\'
[ "$code" = $((1603 % 256)) ] || fail "exit code $code for a repair into another folder"
[ ! -e "$drive/users/Public/Mine" ] || fail "the repair installed into C:\\Users\\Public\\Mine"
grep -q -F '"InstallDir"="C:\\Tools\\Pelmora\\"' <<< "$(registry 'HKLM\Software\Pelmora' /reg:64)" ||
    fail "the remembered folder changed: $(registry 'HKLM\Software\Pelmora' /reg:64)"
rm "$folder/vantrel.dll"
msiexec /i "$(product_code "$package")" REINSTALL=ALL REINSTALLMODE=amus
[ "$code" = 0 ] || fail "exit code $code for a repair"
installed

echo "== a later version over it while the program is open"
start_shortcut
# Windows Installer has the Restart Manager close a program that holds a file it replaces: wine
# has none, and the driver plays its part.
"$wine64" "$(windows_path "$driver")" --end-session "$program"
msiexec /i "$(windows_path "$later")"
installed
! registry "$(entry_key "$package")" /reg:64 > /dev/null || fail "the earlier version is still listed"
registry "$(entry_key "$later")" /reg:64 > /dev/null || fail "the later version is not listed"
[ ! -e "$program_files/Pelmora" ] || fail "the later version went into Program Files"

echo "== the earlier version over the later one: refused"
msiexec /i "$(windows_path "$package")"
[ "$code" = $((1603 % 256)) ] || fail "exit code $code for the earlier version"
registry "$(entry_key "$later")" /reg:64 > /dev/null || fail "the later version is gone"
! registry "$(entry_key "$package")" /reg:64 > /dev/null || fail "the earlier version is listed"

echo "== silent uninstall"
msiexec /x "$(windows_path "$later")"
nothing_left

echo "== with the developers' part"
msiexec /i "$(windows_path "$package")" ADDLOCAL=Program,Development 'INSTALLDIR=C:\Tools\Pelmora'
installed
for file in sdk/vantrel.h sdk/libvantrel.dll.a sdk/x86/libvantrel.dll.a; do
    [ -f "$folder/$file" ] || fail "not installed: C:\\Tools\\Pelmora\\$file"
done
msiexec /x "$(windows_path "$package")"
nothing_left
echo "installed, worked, upgraded and uninstalled without a trace"
