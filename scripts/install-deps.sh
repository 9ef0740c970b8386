#!/usr/bin/env bash
# Installs, from Debian's archive, whichever of the named packages are missing. A package of
# another architecture (name:i386) has that architecture added to dpkg first.
set -euo pipefail
missing=()
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
for package in "${missing[@]}"; do
    if [[ $package == *:* ]]; then
        architecture=${package##*:}
        if ! dpkg --print-foreign-architectures | grep -qx "$architecture"; then
            "${as_root[@]}" dpkg --add-architecture "$architecture"
        fi
    fi
done
echo "Installing: ${missing[*]}"
# A mirror caught mid-sync fails an index for a while; the install below says what is then missing.
for attempt in 1 2 3 4 5 6; do
    "${as_root[@]}" apt-get update -qq && break
    sleep $((attempt * 15))
done
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
