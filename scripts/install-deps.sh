#!/usr/bin/env bash
# Installs, from Debian's archive, whichever of the named packages are missing. A package of
# another architecture (name:i386) has that architecture added to dpkg first. With
# PELMORA_SECURITY_UPDATES_ONLY=1 (a release) nothing is installed without the security suite.
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
updated=yes
for attempt in 1 2 3; do
    ((attempt == 1)) || sleep $((attempt * 15))
    # apt-get update succeeds when an index fails to download, unless asked not to.
    "${as_root[@]}" apt-get update -qq --error-on=any && { updated=yes; break; }
    updated=no
done
install=(apt-get install -y -qq --no-install-recommends)
if DEBIAN_FRONTEND=noninteractive "${as_root[@]}" "${install[@]}" "${missing[@]}"; then
    exit 0
fi
# When the security suite's index of one architecture could not be read, a library shared by
# both architectures is offered at different versions for each, and the two cannot be installed
# together. The release's own suite offers one version for both.
[ "$updated" = no ] && [ "${PELMORA_SECURITY_UPDATES_ONLY:-}" != 1 ] || exit 1
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
echo "install-deps.sh: an index did not download; installing from $codename's own suite instead" >&2
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" "${install[@]}" -t "$codename" "${missing[@]}"
