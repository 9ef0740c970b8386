#!/usr/bin/env bash
# Builds the Debian packages pelmora, libvantrel1 and libvantrel-dev of the source tree SRC with
# debhelper and puts them into OUT. The build runs in a copy of SRC, never in SRC itself, whose
# files debhelper's clean step would delete (backups, rejected patches) or add to. Debian's build
# flags with every hardening feature come from debian/rules; nothing from the caller's environment
# or dpkg settings reaches the build, apart from SOURCE_DATE_EPOCH, the time recorded in the
# packages (by default the changelog's). The changelog's top entry is the project's version
# (debian-changelog.sh). --check builds and runs the engine's tests in the
# package's build too, as Debian's build machines do.
# Usage: build-debian.sh [--check] SRC OUT
set -euo pipefail
options=nocheck
if [ "${1:-}" = --check ]; then
    options=
    shift
fi
[ $# -eq 2 ] || { echo "usage: $0 [--check] SRC OUT" >&2; exit 2; }
src=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The same folder name wherever SRC is, so that nothing of SRC's place reaches the packages.
mkdir "$work/pelmora"
tar -C "$src" --exclude=./.git --exclude='./build*' --exclude='./obj-*' --exclude='./dist*' \
    -cf - . | tar -C "$work/pelmora" -xf -
bash "$(dirname "$0")/debian-changelog.sh" "$work/pelmora"
version=$(cd "$work/pelmora" && dpkg-parsechangelog -S Version)
architecture=$(dpkg --print-architecture)
(cd "$work/pelmora" && env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$work/home" \
    XDG_CONFIG_HOME=/nonexistent LC_ALL=C.UTF-8 TZ=UTC \
    ${SOURCE_DATE_EPOCH:+SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH} \
    DEB_BUILD_OPTIONS="parallel=$(nproc) noautodbgsym $options" DEB_BUILD_PROFILES="$options" \
    dpkg-buildpackage -b -us -uc) > "$work/build.log" 2>&1 || {
    tail -n 60 "$work/build.log" >&2
    cp "$work/build.log" "$out/build-debian.log"
    echo "build-debian.sh: dpkg-buildpackage failed; the whole log is $out/build-debian.log" >&2
    exit 1
}
for package in pelmora libvantrel1 libvantrel-dev; do
    cp "$work/${package}_${version}_${architecture}.deb" "$out/"
done
