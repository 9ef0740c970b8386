#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds its Debian package; starts the installed
# program of each, offscreen, with a probe that presses the required-lines button and checks the
# engine's answer, which proves that the installed program finds its own library. A library
# planted in the current directory and on the library search path must not be the one it loads.
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
    for file in bin/Pelmora include/vantrel.h share/applications/pelmora.desktop \
        share/metainfo/jp.example.pelmora.metainfo.xml \
        share/icons/hicolor/16x16/apps/pelmora.png share/icons/hicolor/32x32/apps/pelmora.png; do
        [ -f "$root/$file" ] || fail "missing $root/$file"
    done
    [ -n "$(find "$root" -name libvantrel.so.1.0.0.1)" ] ||
        fail "missing libvantrel.so.1.0.0.1 under $root"
    grep -qx 'Name\[ja\]=呼損率の計算' "$root/share/applications/pelmora.desktop" ||
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

(cd "$build" && cpack -G DEB -B "$work/package" > /dev/null)
package=$(ls "$work"/package/*.deb)
dpkg-deb -f "$package" Package Version Depends
[ "$(dpkg-deb -f "$package" Version)" = 1.0.0.2 ] || fail "package version"
dpkg-deb -x "$package" "$work/root"
check_installed_files "$work/root/usr"
run_probe "$work/root/usr/bin/Pelmora" "$planted"
echo "installation and package work"
