#!/usr/bin/env bash
# Installs the NSIS installer silently into a fresh wine prefix, checks the files, the Start-menu
# shortcut and the uninstall entry in the 64-bit registry, works the installed program from typed
# figures to an answer and a clean exit, uninstalls silently and checks that no file, shortcut or
# key is left. Files are checked, not exit codes: an installer that cannot run exits 0 as well.
# Usage: check_installer.sh WINE64 WINESERVER INSTALLER DRIVER MAKE_PREFIX
set -euo pipefail
wine64=$1 wineserver=$2 installer=$3 driver=$4 make_prefix=$5
[ -f "$installer" ] || { echo "FAIL: no $installer: run cpack in the build first" >&2; exit 1; }
source "$(dirname "$0")/installer_prefix.sh"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelmora'

echo "== silent install"
"$wine64" "$(windows_path "$installer")" /S
"$wineserver" -w
for file in Pelmora.exe vantrel.dll x86/vantrel.dll Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "not installed: Program Files/Pelmora/$file"
done
[ ! -e "$folder/sdk" ] || fail "the developers' part is installed without being chosen"
[ -n "$(shortcut)" ] || fail "no Start-menu shortcut 呼損率の計算"
echo "shortcut: $(shortcut | sed "s|$WINEPREFIX/||")"
entry=$(registry "$uninstall_key" /reg:64) || fail "no uninstall entry in the 64-bit registry"
echo "$entry"
entry_has "$entry" '"DisplayName"="Pelmora"' '"DisplayVersion"="1\.0\.0\.2"' \
    '"Publisher"="空巡通信株式会社"' '"DisplayIcon"=".*Pelmora\.exe"' \
    '"QuietUninstallString"=".*Uninstall\.exe.* /S"' '"UninstallString"='
! registry "$uninstall_key" /reg:32 > /dev/null || fail "an uninstall entry in the 32-bit registry"
maker_key='HKLM\Software\空巡通信株式会社'
registry "$maker_key" /reg:64 | grep -q 'Pelmora' || fail "no install folder under the maker's key"

echo "== the installed program"
"$wine64" "$(windows_path "$driver")" 'C:\Program Files\Pelmora\Pelmora.exe'

echo "== silent uninstall"
"$wine64" 'C:\Program Files\Pelmora\Uninstall.exe' /S
# The uninstaller runs as a copy of itself, which the server outlives.
"$wineserver" -w
[ ! -e "$folder" ] || fail "left behind: $(ls -A "$folder")"
[ -z "$(shortcut)" ] || fail "shortcut left behind"
[ -z "$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -iname '*pelmora*')" ] ||
    fail "Start-menu folder left behind"
! registry "$uninstall_key" /reg:64 > /dev/null || fail "uninstall entry left behind"
! registry "$maker_key" /reg:64 > /dev/null || fail "the maker's key left behind"
echo "installed, worked and uninstalled without a trace"
