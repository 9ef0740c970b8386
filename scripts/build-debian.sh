#!/usr/bin/env bash
# Builds the Debian packages pelmora, libvantrel1 and libvantrel-dev of the source tree SRC with
# debhelper, in SRC itself, and copies them into OUT. Debian's build flags with every hardening
# feature come from debian/rules; nothing from the caller's environment or dpkg settings reaches
# the build, apart from SOURCE_DATE_EPOCH, the time recorded in the packages (by default the
# changelog's).
# Usage: build-debian.sh SRC OUT
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 SRC OUT" >&2; exit 2; }
src=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
version=$(cd "$src" && dpkg-parsechangelog -S Version)
architecture=$(dpkg --print-architecture)
(cd "$src" && env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$src/debian/tmp-home" \
    XDG_CONFIG_HOME=/nonexistent LC_ALL=C.UTF-8 TZ=UTC \
    ${SOURCE_DATE_EPOCH:+SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH} \
    DEB_BUILD_OPTIONS="parallel=$(nproc) nocheck noautodbgsym" \
    dpkg-buildpackage -b -us -uc) > "$out/build.log" 2>&1 || {
    tail -n 60 "$out/build.log" >&2
    echo "build-debian.sh: dpkg-buildpackage failed; the whole log is $out/build.log" >&2
    exit 1
}
rm -f "$out/build.log"
# dpkg-buildpackage leaves them beside SRC.
if [ "$out" != "$(dirname "$src")" ]; then
    for package in pelmora libvantrel1 libvantrel-dev; do
        cp "$(dirname "$src")/${package}_${version}_${architecture}.deb" "$out/"
    done
fi
