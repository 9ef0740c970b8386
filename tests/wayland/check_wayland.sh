#!/usr/bin/env bash
# Starts the program on weston's headless backend with Qt's Wayland platform, as on a Wayland
# desktop. The probe types into the window through weston's keyboard (weston_keys.c) and checks
# what arrived; the window must give its app id, by which docks and task switchers find the
# desktop entry.
set -euo pipefail
weston=$1 keys_module=$2 program=$3 probe_plugins=$4
work=$(mktemp -d)
weston_pid=
cleanup() {
    if [ -n "$weston_pid" ]; then
        kill "$weston_pid" 2> /dev/null || true
        wait "$weston_pid" 2> /dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "-- weston's log:" >&2
    cat "$work/weston.log" >&2 || true
    exit 1
}

# A runtime directory of the test's own holds the socket, so that runs side by side never meet.
export XDG_RUNTIME_DIR=$work PELMORA_KEYS_FIFO=$work/keys
mkfifo "$PELMORA_KEYS_FIFO"
socket=pelmora-$$
timeout 60 "$weston" --backend=headless-backend.so --use-pixman --shell=kiosk-shell.so \
    --socket="$socket" --no-config --modules="$keys_module" --log="$work/weston.log" &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$work/$socket" ] && break
    kill -0 "$weston_pid" 2> /dev/null || fail "weston ended before it took connections"
    sleep 0.1
done
[ -S "$work/$socket" ] || fail "weston made no socket within 10 s"

# Qt's Wayland platform (6.4) leaves the proxies of some of the compositor's globals to the end of
# the process; in a sanitizer build LeakSanitizer would fail the test for them. Nothing of the
# program allocates through libwayland-client.
echo "leak:libwayland-client.so" > "$work/leaks.supp"
status=0
env WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_PLUGIN_PATH="$probe_plugins" \
    QT_QPA_GENERIC_PLUGINS=pelmorakeys WAYLAND_DEBUG=client \
    LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/leaks.supp" \
    timeout 60 "$program" 2> "$work/program.log" || status=$?
# The protocol's log lines start with their time in brackets; the rest is the program's and Qt's.
grep -v '^\[' "$work/program.log" >&2 || true
[ "$status" = 0 ] || fail "the program ended with exit code $status"
grep -Eq 'xdg_toplevel@[0-9]+\.set_app_id\("jp\.example\.pelmora"\)' "$work/program.log" ||
    fail "the window's app id is not jp.example.pelmora: $(grep -o 'set_app_id(.*)' \
        "$work/program.log" || echo none)"
echo "the window took the typed keys and has its app id"
