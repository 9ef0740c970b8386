#!/usr/bin/env bash
# Makes the documents' pictures from the real program, in a Japanese locale, with the clock stopped
# at one time of day, so that a change to the window shows in review as a changed picture:
#   docs/ja/images/page1.png … page3.png   the three pages after a calculation, on Linux
#   docs/screenshots/pelmora-linux-ja.png  the second page, on Linux (README)
#   docs/screenshots/pelmora-windows-ja.png, installer-ja-*.png
#                                          the second page and the installer's pages, under wine
# Usage: scripts/screenshots.sh [BUILD [WINDOWS_BUILD]]   (default: build, build-windows)
# The Windows pictures are made when WINDOWS_BUILD holds Pelmora.exe and the installer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
windows_build=$(realpath -m "${2:-$root/build-windows}")
bash "$root/scripts/install-deps.sh" xvfb xdotool imagemagick faketime locales \
    fonts-ipafont-gothic wine64
if ! locale -a | grep -qix 'ja_JP.utf8'; then
    [ "$(id -u)" -eq 0 ] || { echo "screenshots.sh: needs the locale ja_JP.UTF-8 (locale-gen)" >&2; exit 1; }
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen > /dev/null
fi
work=$(mktemp -d)
display=":$((100 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
server=$!
trap 'kill $server 2> /dev/null; [ -z "${WINEPREFIX:-}" ] || /usr/lib/wine/wineserver -k 2> /dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 TZ=Asia/Tokyo
# The status bar's date and time.
clock=(faketime -f '@2026-12-09 15:12:00')
sleep 1

# shot NAME OUT KEYS...: the window named NAME, once the keys are pressed, into OUT, without the
# time of its making (the same window gives the same file).
shot() {
    local name=$1 out=$2 window
    shift 2
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "$name" | tail -n 1)
    sleep 2
    if (($#)); then
        xdotool windowfocus --sync "$window" key --delay 150 "$@"
        sleep 1.5
    fi
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # What the screen shows where the window is: a window's own contents may not be kept.
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip \
        -define png:exclude-chunks=date,time "$out"
    echo "screenshots.sh: $out"
}
# Each page as the manual shows it: typed into and calculated with Enter, as a user does.
page1=(2 4 0 Return 3 Return 8 Return Return)
page2=(ctrl+Tab 1 0 Return 0 period 0 1 Return Return)
page3=(ctrl+Tab ctrl+Tab 0 period 0 1 Return 1 0 Return 3 Return Return)

linux() {
    local out=$1
    shift
    FONTCONFIG_FILE=$build/tests/fonts.conf QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME= \
        QT_IM_MODULE=none "${clock[@]}" "$build/bin/Pelmora" > /dev/null 2>&1 &
    local program=$!
    shot 呼損率の計算 "$out" "$@"
    # faketime runs the program as its child.
    pkill -P $program || true
    wait $program 2> /dev/null || true
}
linux "$root/docs/ja/images/page1.png" "${page1[@]}"
linux "$root/docs/ja/images/page2.png" "${page2[@]}"
linux "$root/docs/ja/images/page3.png" "${page3[@]}"
cp "$root/docs/ja/images/page2.png" "$root/docs/screenshots/pelmora-linux-ja.png"

installer=$(find "$windows_build" -maxdepth 1 -name 'Pelmora-*-win64.exe' 2> /dev/null | head -n 1)
if [ ! -f "$windows_build/bin/Pelmora.exe" ] || [ -z "$installer" ]; then
    echo "screenshots.sh: no Windows build in $windows_build: the Windows pictures are left as they are"
    exit 0
fi
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d
wine64=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
bash "$root/tests/support/make_wine_prefix.sh" "$wine64" "$wineserver" "$WINEPREFIX"
(cd "$windows_build/bin" && exec "${clock[@]}" "$wine64" Pelmora.exe) > /dev/null 2>&1 &
shot 呼損率の計算 "$root/docs/screenshots/pelmora-windows-ja.png" "${page2[@]}"
"$wineserver" -k
# The installer's pages, from the licence to the components, each left with 次へ;
# the folder's check takes a while.
"$wine64" "$installer" > /dev/null 2>&1 &
for page in licence folder components; do
    if [ "$page" != licence ]; then
        # A click on 次へ, where the page at 96 dpi has it: without a window manager the keys
        # reach no page but the first.
        eval "$(xdotool search --onlyvisible --name Pelmora getwindowgeometry --shell)"
        xdotool mousemove $((X + 417)) $((Y + 358)) click 1
        sleep 8
    fi
    shot 'Pelmora' "$root/docs/screenshots/installer-ja-$page.png"
done
"$wineserver" -k || true
