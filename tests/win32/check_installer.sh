#!/usr/bin/env bash
# The NSIS installer in a fresh wine prefix: refused while the Windows Installer package's
# installation is there; refused, changing nothing, in a folder below one that any user may change,
# in a folder that holds a file of someone else's, and over an earlier installation that holds a
# link, whose target survives; a silent install into a folder of one's own that a user made, over
# an earlier build's installation in another folder, which goes with its Start-menu folder; the
# folder made anew, no longer the user's; the files, the licence (in the ZIP too), the Start-menu
# shortcut and the uninstall entry, whose uninstaller and icon exist; the program started through
# its shortcut and worked to an answer; refused over a newer version; an upgrade while the program
# is open, which closes it and keeps the folder; an uninstall refused while a program holds the DLL,
# which changes nothing; an upgrade beside a window of the program's class that never answers, done
# in bounded time; a silent uninstall while the program is open, which leaves no file, shortcut or
# key. With CAFILE, every signature is checked too: the
# installer's, and those of the files it installed, the uninstaller that it wrote among them.
# Files are checked, not only exit codes: an installer that cannot run can exit 0 as well.
# VERSION is the installer's; the newer version is the one a bump of its fourth field makes.
# Usage: check_installer.sh WINE64 WINESERVER INSTALLER PACKAGE DRIVER MAKE_PREFIX VERSION [CAFILE]
set -euo pipefail
wine64=$1 wineserver=$2 installer=$3 package=$4 driver=$5 make_prefix=$6 version=$7
authority=${8:-}
newer=${version%.*}.$((${version##*.} + 1))
for file in "$installer" "$package"; do
    [ -f "$file" ] || { echo "FAIL: no $file: build the targets installer and msi first" >&2; exit 1; }
done
source "$(dirname "$0")/installer_prefix.sh"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelmora'
product_key='HKLM\Software\Pelmora'
maker_key='HKLM\Software\空巡通信株式会社'
folder="$WINEPREFIX/drive_c/Tools/Pelmora"
program='C:\Tools\Pelmora\Pelmora.exe'
installed=(Pelmora.exe vantrel.dll x86/vantrel.dll Uninstall.exe)
install() { "$wine64" "$(windows_path "$installer")" /S "$@"; }
signed() {
    osslsigncode verify -CAfile "$authority" -in "$1" > /dev/null || fail "no valid signature: $1"
    echo "signature of ${1#"$drive/"}: valid"
}

echo "== refused beside the Windows Installer package's installation"
"$wine64" msiexec /i "$(windows_path "$package")" /qn
"$wineserver" -w
[ -f "$program_files/Pelmora/Pelmora.exe" ] || fail "the package did not install"
code=0
install || code=$?
# ERROR_PRODUCT_VERSION, 1638, of which a Linux process's exit status keeps the low byte.
[ "$code" = $((1638 % 256)) ] || fail "exit code $code beside the package"
! registry "$uninstall_key" /reg:64 > /dev/null || fail "installed beside the package"
"$wine64" msiexec /x "$(windows_path "$package")" /qn
"$wineserver" -w

# refused FOLDER WHAT: the silent install into FOLDER exits with ERROR_INSTALL_FAILURE (1603, of
# which a Linux process's exit status keeps the low byte) and leaves no uninstall entry.
refused() {
    local code=0
    install "/D=$1" || code=$?
    [ "$code" = $((1603 % 256)) ] || fail "exit code $code $2"
    ! registry "$uninstall_key" /reg:64 > /dev/null || fail "installed $2"
}

echo "== refused below a folder that any user may change"
# Wine shows a folder that every Unix user may write as one that Everyone may change.
mkdir -p "$drive/Open"
chmod 777 "$drive/Open"
refused 'C:\Open\Pelmora' "below C:\\Open"
[ -z "$(ls -A "$drive/Open")" ] || fail "C:\\Open was changed: $(ls -A "$drive/Open")"
7zz e -y -bso0 -o"$work" "$installer" '$PLUGINSDIR/folder_check.exe' > /dev/null
"$wine64" "$(windows_path "$work/folder_check.exe")" check 1041 'C:\refusal.txt' 'C:\Open\Pelmora' &&
    fail "folder_check.exe passes C:\\Open\\Pelmora"
grep -q 'C:\\Open は、管理者以外のユーザーも変更できる' <<< "$(iconv -f UTF-16LE -t UTF-8 "$drive/refusal.txt")" ||
    fail "the refusal's message: $(iconv -f UTF-16LE -t UTF-8 "$drive/refusal.txt")"

echo "== refused in a folder that holds a file of someone else's"
mkdir -p "$folder"
chmod 777 "$folder"
touch "$folder/version.dll"
refused 'C:\Tools\Pelmora' "beside version.dll"
[ "$(ls -A "$folder")" = version.dll ] || fail "the folder was changed: $(ls -A "$folder")"
rm "$folder/version.dll"

echo "== refused over an earlier build's installation in C:\\Earlier\\Pelmora that holds a link"
earlier="$drive/Earlier/Pelmora" earlier_menu="$programs/Tools"
mkdir -p "$earlier" "$earlier_menu" "$drive/OtherApp"
touch "$earlier"/{Pelmora.exe,vantrel.dll,Uninstall.exe} "$drive/OtherApp/vantrel.dll"
# A Unix link, which wine shows as a reparse point, stands in for a junction.
ln -s ../../OtherApp "$earlier/x86"
touch "$earlier_menu/呼損率の計算.lnk" "$earlier_menu/Uninstall.lnk" "$programs/呼損率の計算.lnk"
"$wine64" reg add "$maker_key\\Pelmora" /ve /d 'C:\Earlier\Pelmora' /reg:64 /f > /dev/null
"$wine64" reg add "$maker_key\\Pelmora" /v 'Start Menu Folder' /d Tools /reg:64 /f > /dev/null
refused 'C:\Tools\Pelmora' "over an installation that holds a link"
[ -f "$drive/OtherApp/vantrel.dll" ] || fail "the file behind the link was deleted"
[ -f "$earlier/Pelmora.exe" ] || fail "the earlier installation was changed"
rm "$earlier/x86"
mkdir "$earlier/x86"
touch "$earlier/x86/vantrel.dll"

echo "== silent install into C:\\Tools\\Pelmora, which a user made, over an earlier build's in C:\\Earlier\\Pelmora"
[ -z "$authority" ] || signed "$installer"
install '/D=C:\Tools\Pelmora'
(( (8#$(stat -c %a "$folder") & 8#022) == 0 )) || fail "the folder is still the user's: $(stat -c %A "$folder")"
for file in "${installed[@]}"; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
    [ -z "$authority" ] || signed "$folder/$file"
done
[ ! -e "$folder/sdk" ] || fail "the developers' part is installed without being chosen"
licence_in() { grep -q "Permission is hereby granted" "$1" && grep -q "参考訳" "$1"; }
licence_in "$folder/LICENSE.txt" || fail "no licence, with its reference translation, installed"
zip=${installer%.exe}.zip
7zz x -so "$zip" "$(basename "${zip%.zip}")/LICENSE.txt" > "$work/zip-licence"
licence_in "$work/zip-licence" || fail "no licence in $(basename "$zip")"
7zz x -so "$zip" "$(basename "${zip%.zip}")/THIRD-PARTY-NOTICES.txt" | grep -q winpthreads ||
    fail "no notices of the runtime in $(basename "$zip")"
grep -q winpthreads "$folder/THIRD-PARTY-NOTICES.txt" || fail "no notices of the runtime installed"
grep -q 'src="data:image/png;base64,' "$folder/manual.html" || fail "no manual, with its pictures, installed"
echo "the licence and the runtime's notices: installed, and in the ZIP"
[ ! -e "$earlier" ] || fail "the earlier installation is left: $(ls -A "$earlier")"
[ ! -e "$earlier_menu" ] || fail "the earlier Start-menu folder is left: $(ls -A "$earlier_menu")"
! registry "$maker_key" /reg:64 > /dev/null || fail "the earlier installer's key is left"
grep -q -F '"InstallDir"="C:\\Tools\\Pelmora\\"' <<< "$(registry "$product_key" /reg:64)" ||
    fail "the folder is not recorded"
[ "$(shortcut)" = "$programs/呼損率の計算 (Pelmora).lnk" ] || fail "shortcut: $(shortcut)"
[ ! -e "$programs/呼損率の計算.lnk" ] || fail "the earlier build's shortcut is left"
entry=$(registry "$uninstall_key" /reg:64) || fail "no uninstall entry in the 64-bit registry"
echo "$entry"
entry_has "$entry" '"DisplayName"="呼損率の計算 (Pelmora)"' "\"DisplayVersion\"=\"${version//./\\.}\"" \
    '"Publisher"="空巡通信株式会社"' '"NoModify"=dword:00000001' \
    '"QuietUninstallString"=".*Uninstall\.exe.* /S"'
names_installed_file "$uninstall_key" UninstallString
names_installed_file "$uninstall_key" DisplayIcon
! registry "$uninstall_key" /reg:32 > /dev/null || fail "an uninstall entry in the 32-bit registry"

echo "== the program, started through its shortcut"
start_shortcut
"$wine64" "$(windows_path "$driver")" --started "$program"

echo "== refused over a newer version"
"$wine64" reg add "$uninstall_key" /v DisplayVersion /d "$newer" /reg:64 /f > /dev/null
code=0
install || code=$?
[ "$code" = $((1638 % 256)) ] || fail "exit code $code over a newer version"
"$wine64" reg add "$uninstall_key" /v DisplayVersion /d "$version" /reg:64 /f > /dev/null

echo "== an upgrade while the program is open: closed, and the folder kept"
start_shortcut
"$wine64" "$(windows_path "$driver")" --open "$program"
install
"$wine64" "$(windows_path "$driver")" --closed "$program"
for file in "${installed[@]}"; do
    [ -f "$folder/$file" ] || fail "the upgrade left no $file in the folder"
done
[ ! -e "$program_files/Pelmora" ] || fail "the upgrade installed into Program Files"

echo "== an uninstall while a program holds the DLL: refused, nothing changed"
"$wine64" "$(windows_path "$driver")" --hold 'C:\Tools\Pelmora\vantrel.dll' > "$work/holder" &
holder=$!
for _ in $(seq 300); do
    grep -q "holding the DLL" "$work/holder" && break
    sleep 0.1
done
grep -q "holding the DLL" "$work/holder" || fail "the DLL is not held"
code=0
"$wine64" 'C:\Tools\Pelmora\Uninstall.exe' /S '_?=C:\Tools\Pelmora' || code=$?
kill "$holder"
wait "$holder" 2> /dev/null || true
[ "$code" = 32 ] || fail "exit code $code while the DLL is held"
for file in "${installed[@]}"; do
    [ -f "$folder/$file" ] || fail "the refused uninstall removed $file"
done
[ -n "$(shortcut)" ] || fail "the refused uninstall removed the shortcut"

echo "== an upgrade beside a window of the program's class that never answers"
"$wine64" "$(windows_path "$driver")" --stall > "$work/staller" &
staller=$!
for _ in $(seq 300); do
    grep -q stalling "$work/staller" && break
    sleep 0.1
done
grep -q stalling "$work/staller" || fail "no window stalls"
code=0
timeout 90 "$wine64" "$(windows_path "$installer")" /S || code=$?
kill "$staller"
wait "$staller" 2> /dev/null || true
[ "$code" = 0 ] || fail "exit code $code beside a window that never answers"

echo "== a silent uninstall while the program is open"
start_shortcut
"$wine64" "$(windows_path "$driver")" --open "$program"
"$wine64" 'C:\Tools\Pelmora\Uninstall.exe' /S
# The uninstaller runs as a copy of itself, which the server outlives.
"$wineserver" -w
[ ! -e "$folder" ] || fail "left behind: $(ls -A "$folder")"
[ -z "$(shortcut)" ] || fail "shortcut left behind"
! registry "$uninstall_key" /reg:64 > /dev/null || fail "uninstall entry left behind"
! registry "$product_key" /reg:64 > /dev/null || fail "the installation's key left behind"
echo "installed, started from its shortcut, upgraded and uninstalled without a trace"
