#!/usr/bin/env bash
# Starts the program on weston's headless backend with Qt's Wayland platform, as on a Wayland
# desktop. The probe types into the window through weston's keyboard (weston_keys.c) and checks
# what arrived; the window must give its app id, by which docks and task switchers find the
# desktop entry. Then on weston's desktop shell with no seat at all, as in a kiosk or a remote
# session before a keyboard is attached, the program must start and work by mouse.
set -euo pipefail
weston=$1 keys_module=$2 program=$3 probe_plugins=$4
work=$(mktemp -d)
weston_pid=
stop_weston() {
    if [ -n "$weston_pid" ]; then
        kill "$weston_pid" 2> /dev/null || true
        wait "$weston_pid" 2> /dev/null || true
        weston_pid=
    fi
}
trap 'stop_weston; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "-- weston's log:" >&2
    cat "$work/weston-$name.log" >&2 || true
    exit 1
}

# A runtime directory of the test's own holds the socket, so that runs side by side never meet.
export XDG_RUNTIME_DIR=$work PELMORA_KEYS_FIFO=$work/keys
mkfifo "$PELMORA_KEYS_FIFO"
name= socket=
start_weston() {  # a name for the run, then weston's own options
    name=$1 socket=pelmora-$$-$1
    shift
    # The desktop shell's own client writes to weston's standard error.
    timeout 60 "$weston" --backend=headless-backend.so --use-pixman --socket="$socket" \
        --no-config --log="$work/weston-$name.log" "$@" 2>> "$work/weston-$name.err" &
    weston_pid=$!
    for _ in $(seq 100); do
        [ -S "$work/$socket" ] && return
        kill -0 "$weston_pid" 2> /dev/null || fail "weston ended before it took connections"
        sleep 0.1
    done
    fail "weston made no socket within 10 s"
}

# Qt's Wayland platform (6.4) leaves the proxies of some of the compositor's globals to the end of
# the process; in a sanitizer build LeakSanitizer would fail the test for them. Nothing of the
# program allocates through libwayland-client.
echo "leak:libwayland-client.so" > "$work/leaks.supp"
# What the machine has installed besides Qt's Wayland platform stays out of the program: the
# window decorations and EGL, whose plugins and drivers vary from machine to machine (and some
# leak as they unload), draw nothing the test looks at; the desktop a developer runs the test
# from picks a platform theme (the GTK one) and an input method of its own.
run_program() {  # the program's log, then variables for it
    local log=$1
    shift
    env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE \
        -u QT_IM_MODULE -u GTK_THEME WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
        QT_WAYLAND_DISABLE_WINDOWDECORATION=1 QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none \
        QT_PLUGIN_PATH="$probe_plugins" QT_QPA_GENERIC_PLUGINS=pelmorakeys \
        LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/leaks.supp" "$@" \
        timeout 60 "$program" 2> "$log"
}

start_weston keys --shell=kiosk-shell.so --modules="$keys_module"
status=0
run_program "$work/program.log" WAYLAND_DEBUG=client || status=$?
# The protocol's log lines start with their time in brackets; the rest is the program's and Qt's.
grep -v '^\[' "$work/program.log" >&2 || true
[ "$status" = 0 ] || fail "the program ended with exit code $status"
grep -Eq 'xdg_toplevel@[0-9]+\.set_app_id\("jp\.example\.pelmora"\)' "$work/program.log" ||
    fail "the window's app id is not jp.example.pelmora: $(grep -o 'set_app_id(.*)' \
        "$work/program.log" || echo none)"
echo "the window took the typed keys and has its app id"
stop_weston

# The desktop shell offers an input method (text-input) to clients, which Qt's Wayland platform
# uses unless told otherwise; with no seat, nothing may ask it anything.
start_weston seatless --shell=desktop-shell.so
status=0
run_program "$work/seatless.log" PELMORA_PROBE=mouse || status=$?
cat "$work/seatless.log" >&2
[ "$status" = 0 ] || fail "without a seat, the program ended with exit code $status"
echo "without a seat, the program started and worked by mouse"
