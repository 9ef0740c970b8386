#!/usr/bin/env bash
# The Windows Installer package under wine's msiexec, silently, as a deployment tool runs it:
# installs it into a fresh prefix and checks the files (the developers' part left out), the
# Start-menu shortcut and the Apps & Features entry; works the installed program to an answer;
# installs a later version over it, which must replace it; uninstalls, and checks that no file,
# shortcut, entry or key is left; then installs the developers' part when it is chosen. First, it
# must refuse to install beside the NSIS installer's installation. Files and keys are checked, not
# exit codes.
# Usage: check_msi.sh WINE64 WINESERVER PACKAGE LATER_PACKAGE DRIVER MAKE_PREFIX
set -euo pipefail
wine64=$1 wineserver=$2 package=$3 later=$4 driver=$5 make_prefix=$6
for file in "$package" "$later"; do
    [ -f "$file" ] || { echo "FAIL: no $file: build the target msi first" >&2; exit 1; }
done
source "$(dirname "$0")/installer_prefix.sh"
product_code() { msiinfo export "$1" Property | awk '$1 == "ProductCode" { print $2 }' | tr -d '\r'; }
entry_key() { echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(product_code "$1")"; }
msiexec() {
    "$wine64" msiexec "$@" /qn || true
    "$wineserver" -w
}
installed() {
    local file
    for file in Pelmora.exe vantrel.dll x86/vantrel.dll; do
        [ -f "$folder/$file" ] || fail "not installed: Program Files/Pelmora/$file"
    done
    [ -n "$(shortcut)" ] || fail "no Start-menu shortcut 呼損率の計算"
}
nothing_left() {
    local code
    [ ! -e "$folder" ] || fail "left behind: $(ls -A "$folder")"
    [ -z "$(shortcut)" ] || fail "shortcut left behind"
    for code in "$(product_code "$package")" "$(product_code "$later")"; do
        [ ! -e "$WINEPREFIX/drive_c/windows/Installer/$code" ] || fail "the icon's folder left behind"
        ! grep -q -i -e "$code" -e pelmora "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" ||
            fail "keys left behind: $(grep -i -e "$code" -e pelmora "$WINEPREFIX"/*.reg)"
    done
}

echo "== refused beside the installer's installation"
installer_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelmora'
"$wine64" reg add "$installer_key" /v UninstallString /d 'C:\Program Files\Pelmora\Uninstall.exe' \
    /reg:64 /f > /dev/null
msiexec /i "$(windows_path "$package")"
[ ! -e "$folder" ] || fail "installed while the installer's installation is there"
"$wine64" reg delete "$installer_key" /reg:64 /f > /dev/null

echo "== silent install"
msiexec /i "$(windows_path "$package")"
installed
[ ! -e "$folder/sdk" ] || fail "the developers' part is installed without being chosen"
echo "shortcut: $(shortcut | sed "s|$WINEPREFIX/||")"
entry=$(registry "$(entry_key "$package")" /reg:64) || fail "no Apps & Features entry"
echo "$entry"
entry_has "$entry" '"DisplayName"="Pelmora"' '"DisplayVersion"="1\.0\.0\.2"' \
    '"Publisher"="空巡通信株式会社"' '"UninstallString"='
code=$(product_code "$package")
[ -f "$WINEPREFIX/drive_c/windows/Installer/$code/pelmora.ico" ] || fail "no icon for the entry"

echo "== the installed program"
"$wine64" "$(windows_path "$driver")" 'C:\Program Files\Pelmora\Pelmora.exe'

echo "== a later version over it"
msiexec /i "$(windows_path "$later")"
installed
! registry "$(entry_key "$package")" /reg:64 > /dev/null || fail "the earlier version is still listed"
registry "$(entry_key "$later")" /reg:64 > /dev/null || fail "the later version is not listed"

echo "== silent uninstall"
msiexec /x "$(windows_path "$later")"
nothing_left

echo "== with the developers' part"
msiexec /i "$(windows_path "$package")" ADDLOCAL=Program,Development
installed
for file in sdk/vantrel.h sdk/libvantrel.dll.a sdk/x86/libvantrel.dll.a; do
    [ -f "$folder/$file" ] || fail "not installed: Program Files/Pelmora/$file"
done
msiexec /x "$(windows_path "$package")"
nothing_left
echo "installed, worked, upgraded and uninstalled without a trace"
