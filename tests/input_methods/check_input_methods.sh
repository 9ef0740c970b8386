#!/usr/bin/env bash
# The Linux program typed into through the input methods Japanese desktops use, ibus and fcitx5,
# each with Mozc active in hiragana, on a virtual display: page 2 as a user types it (see
# type_page_2.sh). Mozc refuses to run as root: run as root, the check runs as an unprivileged
# account made for the run and removed after it, with its processes, home and mail, and a copy of
# the program and its engine that the account can read.
# Usage: check_input_methods.sh BUILD_DIRECTORY [ibus|fcitx5 ...]
set -euo pipefail
build=$(cd "$1" && pwd)
shift
methods=(ibus fcitx5)
if (($# > 0)); then
    methods=("$@")
fi
here=$(cd "$(dirname "$0")" && pwd)
program=$build/bin/Pelmora session=$here/type_page_2.sh
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    copy=$(mktemp -d)
    user=pelmora-ime-$(basename "$copy" | tr -dc 'a-zA-Z0-9' | tr 'A-Z' 'a-z' | cut -c1-12)
    remove_account() {
        for _ in 1 2 3 4 5; do
            pkill -KILL -u "$user" 2> /dev/null || true
            userdel --remove "$user" 2> /dev/null && break
            sleep 1
        done
        rm -rf "$copy"
    }
    trap remove_account EXIT
    useradd --create-home --shell /bin/bash "$user"
    mkdir -p "$copy/bin" "$copy/lib"
    cp "$program" "$copy/bin/"
    cp -P "$build"/lib/libvantrel.so* "$copy/lib/"
    cp "$session" "$copy/"
    chmod -R a+rX "$copy"
    program=$copy/bin/Pelmora session=$copy/type_page_2.sh
    as_user=(runuser -u "$user" --)
fi
# A session whose input method could not be set up is tried again, twice at most.
status=0
for method in "${methods[@]}"; do
    for _ in 1 2 3; do
        result=0
        "${as_user[@]}" dbus-run-session -- bash "$session" "$program" "$method" || result=$?
        ((result != 2)) && break
    done
    ((result == 0)) || status=1
done
exit $status
