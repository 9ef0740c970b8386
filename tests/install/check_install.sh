#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed program, offscreen, with a
# probe that presses the required-lines button and checks the engine's answer, which proves that
# the installed program finds its own library. A library planted in the current directory and on
# the library search path must not be the one it loads. The Debian packages are checked by
# tests/debian.
set -euo pipefail
build=$1 probe_plugins=$2 planted_library=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

run_probe() {
    local program=$1 directory=$2
    echo "== $program (from $directory)"
    (cd "$directory" && env QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$probe_plugins" \
        QT_QPA_GENERIC_PLUGINS=pelmoraprobe LD_LIBRARY_PATH="$directory" \
        timeout 60 "$program") || fail "the probe in $program failed"
}

check_installed_files() {
    local root=$1
    for file in bin/Pelmora include/vantrel.h share/applications/jp.example.pelmora.desktop \
        share/metainfo/jp.example.pelmora.metainfo.xml share/man/man1/Pelmora.1; do
        [ -f "$root/$file" ] || fail "missing $root/$file"
    done
    [ -n "$(find "$root" -name libvantrel.so.1.0.0.1)" ] ||
        fail "missing libvantrel.so.1.0.0.1 under $root"
    grep -qx 'Name\[ja\]=呼損率の計算 (Pelmora)' "$root/share/applications/jp.example.pelmora.desktop" ||
        fail "desktop entry without its Japanese name"
}

planted=$work/planted
mkdir -p "$planted"
cp "$planted_library" "$planted/libvantrel.so.1"
cp "$planted_library" "$planted/libvantrel.so"

cmake --install "$build" --prefix "$work/prefix" > /dev/null
check_installed_files "$work/prefix"
run_probe "$work/prefix/bin/Pelmora" /
run_probe "$work/prefix/bin/Pelmora" "$planted"
echo "installation works"
