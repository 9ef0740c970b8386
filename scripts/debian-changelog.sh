#!/usr/bin/env bash
# Gives the Debian source tree SRC a debian/changelog whose top entry is the project's version
# (project(VERSION) in CMakeLists.txt), so that a bump of that version is the only edit a release
# needs: when the changelog's top entry is older, an entry for the version is added above it, by
# the top entry's maintainer, dated SOURCE_DATE_EPOCH (a release's commit time) or else now. A
# changelog whose top entry is newer than the project is refused.
# Usage: debian-changelog.sh SRC
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 SRC" >&2; exit 2; }
cd "$1"
version=$(sed -n 's/^project(Pelmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "debian-changelog.sh: no project(VERSION) in CMakeLists.txt" >&2; exit 1; }
recorded=$(dpkg-parsechangelog -S Version)
if dpkg --compare-versions "$recorded" eq "$version"; then
    exit 0
fi
if dpkg --compare-versions "$recorded" gt "$version"; then
    echo "debian-changelog.sh: debian/changelog's top entry, $recorded, is newer than" \
        "project(VERSION) in CMakeLists.txt, $version" >&2
    exit 1
fi
{
    printf '%s (%s) %s; urgency=medium\n\n' "$(dpkg-parsechangelog -S Source)" "$version" \
        "$(dpkg-parsechangelog -S Distribution)"
    printf '  * New version %s.\n\n' "$version"
    printf ' -- %s  %s\n\n' "$(dpkg-parsechangelog -S Maintainer)" \
        "$(LC_ALL=C date -u -R -d "@${SOURCE_DATE_EPOCH:-$(date +%s)}")"
    cat debian/changelog
} > debian/changelog.new
mv debian/changelog.new debian/changelog
