#!/usr/bin/env bash
# The Debian packages as Debian's tools and a user meet them: built from the working tree by
# debhelper (scripts/build-debian.sh), the engine's tests run in that build; lintian finds no error
# or warning in them or their source; hardening-check finds the hardening of Debian's build flags
# in the program and the engine; a software centre's compose finds the program in the installed
# files; and installed into a clean minimal Debian 12 (clean_install.sh), with the probe plugin of
# the release build, BUILD.
# Usage: check_packages.sh BUILD
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

started=$SECONDS
mkdir -p "$work/src"
git -C "$root" ls-files -z --cached --others --exclude-standard |
    (cd "$root" && tar --null -T - --ignore-failed-read -cf - 2> /dev/null) | tar -C "$work/src" -xf -
bash "$root/scripts/debian-changelog.sh" "$work/src"
bash "$root/scripts/build-debian.sh" --check "$work/src" "$work/debs"
(cd "$work" && dpkg-source --build src > /dev/null)
echo "built in $((SECONDS - started)) s:"
(cd "$work/debs" && ls -l -- *.deb)

echo "== the packages' version, the project's"
version=$(sed -n 's/^project(Pelmora VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
for package in "$work"/debs/*.deb "$work"/*.dsc; do
    case $package in
        *.deb) found=$(dpkg-deb -f "$package" Version) ;;
        *) found=$(sed -n 's/^Version: //p' "$package") ;;
    esac
    [ "$found" = "$version" ] || fail "${package##*/} is version $found, the project $version"
done

echo "== lintian, on the packages and their source"
lintian --fail-on error,warning --info "$work"/*.dsc "$work"/debs/*.deb 2>&1 |
    grep -v 'running with root privileges' || true
lintian --fail-on error,warning "$work"/*.dsc "$work"/debs/*.deb > /dev/null 2>&1 || fail "lintian"

tree=$work/installed
for package in "$work"/debs/*.deb; do
    dpkg-deb -x "$package" "$tree"
done
library=$tree/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)

for package in pelmora libvantrel1 libvantrel-dev; do
    grep -q "Permission is hereby granted" "$tree/usr/share/doc/$package/copyright" ||
        fail "$package holds no licence"
done

# The user's manual opens from the package's documents alone, pictures and all.
manual=$tree/usr/share/doc/pelmora/manual.html
grep -q -F "バージョン $version" "$manual" && grep -q 'src="data:image/png;base64,' "$manual" &&
    ! grep -q -E '(src|href)="[a-z]+\.(png|md|html)' "$manual" || fail "no manual of $version with its pictures"

zcat "$tree/usr/share/man/man1/Pelmora.1.gz" | head -n 1 | grep -q -F "\"Pelmora $version\"" ||
    fail "the manual page is not of version $version"

echo "== hardening-check"
# Fortify only shows where a buffer's size is known at compile time; the program has no such
# call, so it is not asked for.
hardening-check --nofortify --nocfprotection "$tree/usr/bin/Pelmora" \
    "$library"/libvantrel.so.1.* || fail "hardening"

echo "== appstreamcli compose over the installed files"
appstreamcli compose --no-net --origin=pelmora --result-root="$work/catalogue" \
    --components=jp.example.pelmora "$tree" || fail "appstreamcli compose"
zgrep -q '<id>jp.example.pelmora</id>' "$work"/catalogue/usr/share/swcatalog/xml/pelmora.xml.gz ||
    fail "the catalogue has no jp.example.pelmora"
zgrep -q "<release [^>]*version=\"$version\"" \
    "$work"/catalogue/usr/share/swcatalog/xml/pelmora.xml.gz ||
    fail "the catalogue has no release $version of jp.example.pelmora"

if [ "$(id -u)" -eq 0 ]; then
    bash "$here/clean_install.sh" "$work/debs" "$build/tests/install/plugins"
else
    sudo bash "$here/clean_install.sh" "$work/debs" "$build/tests/install/plugins"
fi
echo "the Debian packages work, in $((SECONDS - started)) s"
