#!/usr/bin/env bash
# One input method's session (in a D-Bus session of its own): a virtual display, the input method
# with Mozc on, the program, and page 2 typed as a user types it. Prints what it saw; fails on
# anything but one box for the refusal and the texts typed, where they were typed (1), or when the
# input method could not be set up (2).
# Usage: type_page_2.sh PROGRAM ibus|fcitx5
set -uo pipefail
program=$1 method=$2
home=$(mktemp -d)
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/run
# The desktop the check is run from would pick a platform theme (qt6-gtk-platformtheme's on a
# GTK desktop) or a style for the program; the check's input method is chosen below.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/mozc" "$XDG_CONFIG_HOME/fcitx5"
chmod 700 "$XDG_RUNTIME_DIR"
printf '%s\n' 'engines { name: "mozc-jp" longname: "Mozc" layout: "default" rank: 80 }' \
    'active_on_launch: True' > "$XDG_CONFIG_HOME/mozc/ibus_config.textproto"
printf '%s\n' '[Groups/0]' 'Name=Default' 'Default Layout=us' 'DefaultIM=mozc' \
    '[Groups/0/Items/0]' 'Name=keyboard-us' '[Groups/0/Items/1]' 'Name=mozc' '[GroupOrder]' \
    '0=Default' > "$XDG_CONFIG_HOME/fcitx5/profile"

display=":$((300 + RANDOM % 200))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2> /dev/null
    ibus exit > /dev/null 2>&1
    fcitx5-remote -e > /dev/null 2>&1
    # Mozc's server outlives its engine; only this session's, whose home is this one, goes.
    for server in $(pgrep -u "$(id -u)" mozc_server); do
        grep -qzx "HOME=$home" "/proc/$server/environ" 2> /dev/null && kill "$server"
    done
    kill "$xvfb" 2> /dev/null
    rm -rf "$home"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done

wait_for() {  # seconds, command...
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do "$@" > /dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

case $method in
    ibus)
        export QT_IM_MODULE=ibus XMODIFIERS=@im=ibus
        ibus-daemon --xim --replace --daemonize > /dev/null 2>&1
        # Answers 1 even when it has switched the engine.
        mozc_on() { ibus engine mozc-jp; [ "$(ibus engine)" = mozc-jp ]; }
        wait_for 10 mozc_on || { echo "$method: no Mozc engine"; exit 2; }
        ;;
    fcitx5)
        export QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx
        fcitx5 --disable=wayland -d > /dev/null 2>&1 < /dev/null
        # Asked before it owns its name, the bus would start a second fcitx5 of its own, one
        # without the display.
        fcitx5_up() {
            dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
                org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 | grep -q true
        }
        wait_for 10 fcitx5_up || { echo "$method: fcitx5 did not start"; exit 2; }
        ;;
esac

QT_QPA_PLATFORM=xcb "$program" > /dev/null 2>&1 &
program_pid=$!
wait_for 10 xdotool search --onlyvisible --class Pelmora || { echo "$method: no window"; exit 2; }
sleep 1
if [ "$method" = fcitx5 ]; then
    mozc_on() { fcitx5-remote -o; [ "$(fcitx5-remote)" = 2 ]; }
    wait_for 10 mozc_on || { echo "$method: Mozc is not active"; exit 2; }
fi

# Where the controls of page 2 stand in the window, which opens at the top left of a display
# without a window manager.
text6=(264 95) text7=(264 128) text8=(264 231) panel=(450 200)
errors() { xdotool search --onlyvisible --name '^Error$' 2> /dev/null | wc -l; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
keys() { xdotool key --delay 150 "$@"; sleep 0.4; }
compose() { xdotool type --delay 150 "$1"; sleep 0.4; }
# A box's text, copied as a user copies it; copying an empty box leaves the clipboard empty.
read_box() {
    printf '' | xclip -selection clipboard > /dev/null 2>&1
    click "$@"
    keys ctrl+a ctrl+c
    xclip -o -selection clipboard 2> /dev/null
}
failed=0
expect() {  # what, seen, wanted
    if [ "$2" = "$3" ]; then
        echo "$method: $1: $2"
    else
        echo "$method: $1: $2 (wanted $3)"
        failed=1
    fi
}

# Mozc is on in hiragana once a digit composes as its full-width form, here in Text2, which has
# the focus at start-up.
compose 1
keys Return
printf '' | xclip -selection clipboard > /dev/null 2>&1
keys ctrl+a ctrl+c BackSpace
[ "$(xclip -o -selection clipboard 2> /dev/null)" = "１" ] || { echo "$method: Mozc is off"; exit 2; }

keys ctrl+Tab
click "${text6[@]}"
compose 10
click "${text7[@]}"
expect "Error boxes after a click from Text6 while composing １０" "$(errors)" 0
expect "Text7 after that click" "$(read_box "${text7[@]}")" ""
expect "Text6 after that click" "$(read_box "${text6[@]}")" "１０"

click "${text6[@]}"
compose 5
click "${panel[@]}"
help=$(read_box "${panel[@]}")
expect "the help panel's end after a click on it while composing ５ in Text6" "${help: -1}" "す"
expect "Text6 after that click" "$(read_box "${text6[@]}")" "１０５"
keys End BackSpace

click "${text7[@]}"
compose 0.04
keys Escape
click "${text6[@]}"
expect "Text7 after ０．０４ cancelled with Esc and a click away" "$(read_box "${text7[@]}")" ""

click "${text7[@]}"
compose .01
keys Return Return Return
sleep 1
expect "Text7 after .01 typed in kana mode" "$(read_box "${text7[@]}")" "。０１"
expect "Text8 for １０ and 。０１" "$(read_box "${text8[@]}")" "17.4499999999999"
expect "Error boxes after the calculation" "$(errors)" 0

click "${text7[@]}"
keys ctrl+a BackSpace
compose 15
keys Return
sleep 1.5
expect "Error boxes 1.5 s after committing １５ in Text7" "$(errors)" 1
for _ in $(seq 5); do [ "$(errors)" -gt 0 ] && keys Return; done
expect "Error boxes once OK was pressed" "$(errors)" 0
expect "Text7 after the refusal" "$(read_box "${text7[@]}")" ""

exit $failed
