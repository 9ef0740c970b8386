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
drive=$WINEPREFIX/drive_c
program_files="$drive/Program Files"
programs="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
# A key as reg.exe exports it (UTF-16, which keeps the Japanese that its console output loses), in
# UTF-8; fails when there is no such key in that view of the registry.
registry() {
    local exported=$work/exported.reg
    rm -f "$exported"
    "$wine64" reg export "$1" "$(windows_path "$exported")" "$2" /y > /dev/null 2>&1 || return 1
    iconv -f UTF-16 -t UTF-8 "$exported" | tr -d '\r'
}
shortcut() { find "$drive" -name '呼損率の計算 (Pelmora).lnk' 2> /dev/null; }
# Starts what the shortcut points at, as a click on it does. A shortcut to nothing would show a
# message and wait: that fails after a while.
start_shortcut() {
    [ -n "$(shortcut)" ] || fail "no shortcut to start"
    timeout 30 "$wine64" start /unix "$(shortcut)" || fail "the shortcut starts nothing"
}
# Every value of the entry, or fails naming the first one missing.
entry_has() {
    local entry=$1 value
    shift
    for value in "$@"; do
        grep -q "$value" <<< "$entry" || fail "uninstall entry without $value"
    done
}
# Fails unless the value NAME of the 64-bit registry's KEY (a path, quoted or not, or a program in
# the system folder, before its arguments) names a file that exists, in whatever case Windows would
# find it.
names_installed_file() {
    local value path
    value=$("$wine64" reg query "$1" /v "$2" /reg:64 2> /dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]*SZ *//p")
    if [[ $value == \"* ]]; then
        path=${value#\"}
        path=${path%%\"*}
    else
        path=${value%% *}
    fi
    [[ $path == *\\* ]] || path="C:\\windows\\system32\\$path"
    path=$(tr '\\' / <<< "${path#[Cc]:}")
    [ -n "$value" ] && [ -n "$(find "$drive$(dirname "$path")" -maxdepth 1 -iname "$(basename "$path")")" ] ||
        fail "$2 names no file: $value"
    echo "$2: $value"
}
