#!/usr/bin/env bash
# Makes a wine prefix for the Windows tests: wine's own fonts (without Tahoma, so that the interface
# faces fall through to the links below), the Japanese faces replaced by Debian's IPA fonts and
# linked from the interface faces, so that Japanese text shows as glyphs; wine's unmanaged mode,
# which does without a window manager and its wait for every closing window; the given DPI; and
# wine's visual style on (1, wine's own default) or off (0).
# Wine's menu and desktop integration stays off (WINEDLLOVERRIDES, from the caller), so that
# nothing is written outside the prefix.
# Usage: make_wine_prefix.sh WINE64 WINESERVER PREFIX [DPI [STYLE]]
set -euo pipefail
wine64=$1 wineserver=$2 prefix=$3 dpi=${4:-96} style=${5:-1}
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$prefix WINEDEBUG=-all
rm -rf "$prefix"
"$wine64" wineboot --init < /dev/null > /dev/null 2>&1
fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*; do
    case $(basename "$font") in
        tahoma* | ms_sans_serif*) ;;
        *) cp "$font" "$fonts/" ;;
    esac
done
# "ipag.ttf,IPAGothic" as a REG_MULTI_SZ: UTF-16LE, two terminating zeros.
link=$(printf 'ipag.ttf,IPAGothic' | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v |
    tr -s ' \n' ',' | sed 's/^,//; s/,$//'),00,00,00,00
settings=$prefix/pelmora-settings.reg
{
    printf '\xff\xfe'
    sed "s/@LINK@/$link/; s/@DPI@/$(printf '%08x' "$dpi")/; s/@STYLE@/$style/" "$here/wine_prefix.reg" |
        sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} > "$settings"
"$wine64" regedit /S "Z:$(echo "$settings" | tr / '\\')" < /dev/null > /dev/null 2>&1
# The registry reaches its files once the server has ended.
"$wineserver" -w
touch "$prefix/.ready"
