# Sourced by the installer checks: a fresh wine prefix in a folder of its own, removed at the end,
# and the helpers that look into it. Needs wine64, wineserver and make_prefix set.
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d
# Japanese key names on wine's command line.
export LC_ALL=C.UTF-8
trap '"$wineserver" -k 2> /dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
windows_path() { echo "Z:$1" | tr / '\\'; }

bash "$make_prefix" "$wine64" "$wineserver" "$WINEPREFIX"
folder="$WINEPREFIX/drive_c/Program Files/Pelmora"
# A key as reg.exe exports it (UTF-16, which keeps the Japanese that its console output loses), in
# UTF-8; fails when there is no such key in that view of the registry.
registry() {
    local exported=$work/exported.reg
    rm -f "$exported"
    "$wine64" reg export "$1" "$(windows_path "$exported")" "$2" /y > /dev/null 2>&1 || return 1
    iconv -f UTF-16 -t UTF-8 "$exported" | tr -d '\r'
}
shortcut() { find "$WINEPREFIX/drive_c" -name '呼損率の計算.lnk' 2> /dev/null; }
# Every value of the entry, or fails naming the first one missing.
entry_has() {
    local entry=$1 value
    shift
    for value in "$@"; do
        grep -q "$value" <<< "$entry" || fail "uninstall entry without $value"
    done
}
