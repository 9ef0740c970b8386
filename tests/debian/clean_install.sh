#!/usr/bin/env bash
# Installs the Debian packages in DEBS into a clean minimal Debian 12 with apt-get, as a user
# installs them, and there:
# - starts the program through its desktop entry's command on a virtual display, with a probe
#   (PROBE_PLUGINS, see tests/install/probe_plugin.cpp) that asks it for an answer of the engine;
# - builds a C program against libvantrel-dev, with pkg-config and with CMake, and runs it;
# - purges the packages and finds no file of theirs, and no ldconfig entry, left.
# The minimal system (debootstrap --variant=minbase) is made once and kept, as an archive, in
# the cache folder: with the packages' dependencies downloaded but not installed, so that apt
# installs them as it would anywhere, and the tools of the test installed. Made again after a week
# or when this script's lists of packages or its mirror change; when it cannot be made again, the
# last one made is used.
# Usage: clean_install.sh DEBS PROBE_PLUGINS (as root)
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "clean_install.sh: debootstrap and chroot need root" >&2; exit 2; }
debs=$(cd "$1" && pwd) probe=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/pelmora
mirror=http://deb.debian.org/debian
# What the packages under test depend on and recommend, only downloaded; and the test's tools.
dependencies=(libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-ipafont-gothic
    qt6-wayland qt6-translations-l10n)
tools=(xvfb xauth gcc libc6-dev pkgconf cmake make)
fail() { echo "FAIL: $*" >&2; exit 1; }

# The archive's signatures are checked, against Debian's keyring, whatever the host has: the
# system runs its scripts as root, with /dev mounted. An image made without that check is not
# used, since the options are part of its name.
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[ -f "$keyring" ] || fail "no $keyring (package debian-archive-keyring)"
checked=(--force-check-gpg --keyring="$keyring")
key=$( (debootstrap --version; echo "$mirror" "${dependencies[*]}" "${tools[*]}" "${checked[*]}") |
    sha256sum | cut -c1-16)
image=$cache/bookworm-minbase-$key.tar.zst
# make_image: the minimal system, into the cache; fails without a trace left behind.
make_image() (
    echo "== Making the minimal Debian 12 ($image)"
    started=$SECONDS
    made=$(mktemp -d)
    trap 'rm -rf --one-file-system "$made" "$made.log"' EXIT
    # The root of a system, not a private temporary folder: every user can enter it.
    chmod 755 "$made"
    debootstrap "${checked[@]}" --variant=minbase bookworm "$made" "$mirror" > "$made.log" 2>&1 ||
        { tail -n 30 "$made.log"; echo "debootstrap failed" >&2; return 1; }
    cat > "$made/etc/apt/sources.list" << EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
    chroot "$made" env -i PATH=/usr/sbin:/usr/bin LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
        sh -c "apt-get update -qq && apt-get upgrade -y -qq &&
               apt-get install -y -qq --no-install-recommends ${tools[*]} &&
               apt-get clean &&
               apt-get install -y -qq --download-only ${dependencies[*]}" > "$made.log" 2>&1 ||
        { tail -n 30 "$made.log"; echo "preparing the minimal system failed" >&2; return 1; }
    mkdir -p "$cache" && tar -C "$made" --numeric-owner -cf - . | zstd -q -f -T0 -3 -o "$image.new" ||
        return 1
    find "$cache" -maxdepth 1 -name 'bookworm-minbase-*.tar.zst' -delete
    mv "$image.new" "$image"
    echo "made in $((SECONDS - started)) s, $(du -h "$image" | cut -f1)"
)
if [ -z "$(find "$cache" -maxdepth 1 -name "$(basename "$image")" -mtime -7 2> /dev/null)" ] &&
    ! make_image; then
    [ -f "$image" ] || fail "no minimal Debian 12 to install into"
    echo "using the minimal system made on $(date -r "$image" +%F), which could not be renewed"
fi

work=$(mktemp -d)
# Never across a mount: were one of the system's folders still mounted in the tree, it would be
# emptied along with it.
trap 'grep -q " $work/" /proc/self/mounts || rm -rf --one-file-system "$work"' EXIT
root=$work/root
mkdir -p "$root"
zstd -q -d -c "$image" | tar -C "$root" -xf -
install -d -m 755 "$root/tmp/debs" "$root/opt/probe" "$root/opt/consumer"
install -m 644 "$debs"/*.deb "$root/tmp/debs/"
cp -r "$probe/." "$root/opt/probe/"
cp "$here/consumer/consumer.c" "$here/consumer/CMakeLists.txt" "$root/opt/consumer/"

# In a mount namespace of its own, so that the system's folders mounted into the tree go with it.
unshare --mount --propagation private bash -euo pipefail -s "$root" << 'INSIDE'
root=$1
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount -t tmpfs tmpfs "$root/dev/shm"
in_root() {
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin HOME=/root LC_ALL=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}
fail() { echo "FAIL: $*" >&2; exit 1; }
started=$SECONDS
echo "== apt-get install ./pelmora ./libvantrel1 ./libvantrel-dev"
in_root sh -c 'apt-get install -y -qq /tmp/debs/*.deb' > "$root/tmp/install.log" 2>&1 ||
    { tail -n 30 "$root/tmp/install.log"; fail "apt-get install"; }
echo "installed in $((SECONDS - started)) s"
in_root dpkg-query -L pelmora libvantrel1 libvantrel-dev > "$root/tmp/files"
# Read whole before matching: grep -q leaving early would end ldconfig with SIGPIPE.
cache=$(in_root ldconfig -p)
grep -q 'libvantrel\.so\.1 ' <<< "$cache" || fail "ldconfig does not list libvantrel.so.1"

echo "== The program, started by its desktop entry's command, by a user without privileges"
command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/jp.example.pelmora.desktop")
in_root setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp \
    QT_PLUGIN_PATH=/opt/probe QT_QPA_GENERIC_PLUGINS=pelmoraprobe \
    xvfb-run -a timeout 60 "$command" || fail "the installed program gave no answer"

echo "== A C program built against libvantrel-dev, with pkg-config and with CMake"
in_root sh -c 'cd /opt/consumer && cc -o with-pkg-config consumer.c $(pkg-config --cflags --libs vantrel) &&
    ./with-pkg-config' || fail "the program built with pkg-config"
in_root sh -c 'cd /opt/consumer && cmake -S . -B build > /dev/null && cmake --build build > /dev/null &&
    ./build/consumer' || fail "the program built with CMake"

echo "== apt-get purge"
started=$SECONDS
in_root apt-get purge -y -qq pelmora libvantrel1 libvantrel-dev > /dev/null 2>&1 ||
    fail "apt-get purge"
echo "purged in $((SECONDS - started)) s"
while read -r file; do
    if [ -e "$root$file" ] && [ ! -d "$root$file" ]; then
        fail "$file is left after the purge"
    fi
done < "$root/tmp/files"
left=$(in_root dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' 2> /dev/null |
    grep -E '^(pelmora|libvantrel1|libvantrel-dev) ' || true)
[ -z "$left" ] || fail "dpkg still knows: $left"
cache=$(in_root ldconfig -p)
! grep -q vantrel <<< "$cache" || fail "ldconfig still lists the engine"
strays=$(find "$root" -xdev \( -iname '*pelmora*' -o -name '*vantrel*' \) \
    -not -path "$root/tmp/*" -not -path "$root/opt/*" -not -path "$root/var/lib/dpkg/*")
[ -z "$strays" ] || fail "left after the purge: $strays"
INSIDE
echo "clean install, programs, build and purge work"
