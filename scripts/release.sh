#!/usr/bin/env bash
# Installs what is missing, then builds a release of the committed tree into dist/: the Debian
# packages (pelmora, libvantrel1, libvantrel-dev), the Windows installer (NSIS), the Windows Installer package (MSI), the Windows ZIP and
# SHA256SUMS over them. Only the program, the engine and their packages are built, not the tests.
# The files are the same to the byte whenever the same commit is built again, in any folder, at
# any time, under any umask and locale: every time in them is the commit's time.
# Usage: release.sh [--out DIR] [--sign CERT.p12 [--timestamp URL]]
#                             the release, into dist/ or DIR, which must be empty, new or an
#                             earlier release (SHA256SUMS and the files it lists); refused while
#                             the tree has uncommitted changes. --sign signs the Windows files with
#                             CERT (its password in PELMORA_SIGN_PASSWORD, which is taken out of the
#                             environment at once): the program, the DLLs and the installers'
#                             folder check before they are packed, the uninstaller, the installer
#                             and the MSI; --timestamp has a time-stamp server (RFC 3161)
#                             countersign each one
#        release.sh --verify  builds the release of the last commit twice, in two temporary
#                             folders, and compares them; a difference fails, named and shown by
#                             diffoscope
#        release.sh --verify-signed DIR --ca CAFILE | --signer SHA256 [--ca CAFILE]
#                             checks the signed release in DIR, refusing before it builds anything
#                             what is not the release: DIR holds the release's files and
#                             SHA256SUMS, as the release writes it, and nothing else; every
#                             signature holds (against CAFILE, or the system's certificates), is
#                             the one signer's (whose certificate CAFILE issued, or whose SHA-256
#                             fingerprint is SHA256), one plain signature with nothing unsigned
#                             but a time stamp, which must hold too (against the system's
#                             certificates or CAFILE). Then the release is built again with these
#                             signatures attached where the signed release was signed, and must be
#                             the same to the byte
set -euo pipefail
# Before anything runs: every program started from here on, the package manager's scripts run as
# root among them, would find the password in its environment, and the script's own environment
# stays what it was started with. So it starts itself again without it, handed the password on a
# descriptor, and keeps it in a file of this user's only.
if [ -n "${PELMORA_SIGN_PASSWORD+set}" ]; then
    exec env -u PELMORA_SIGN_PASSWORD PELMORA_SIGN_PASSWORD_FD=3 bash "$0" "$@" \
        3<<< "$PELMORA_SIGN_PASSWORD"
fi
sign_password=
if [ "${PELMORA_SIGN_PASSWORD_FD:-}" = 3 ]; then
    IFS= read -r -d '' sign_password <&3 || true
    sign_password=${sign_password%$'\n'}
    exec 3<&-
fi
unset PELMORA_SIGN_PASSWORD_FD PELMORA_SIGN_PASSWORD_FILE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -n "$sign_password" ]; then
    (umask 077 && printf '%s' "$sign_password" > "$work/password")
fi
unset sign_password
root=$(cd "$(dirname "$0")/.." && pwd)
usage() {
    echo "usage: $0 [--out DIR] [--sign CERT.p12 [--timestamp URL]] | --verify |" \
        "--verify-signed DIR (--ca CAFILE | --signer SHA256 [--ca CAFILE])" >&2
    exit 2
}
refuse() {
    echo "release.sh: $*" >&2
    exit 1
}
# earlier_release DIR: SHA256SUMS and nothing but the plain files that it lists.
earlier_release() {
    local name
    [ -f "$1/SHA256SUMS" ] && [ -z "$(find "$1" -mindepth 1 -maxdepth 1 ! -type f)" ] || return 1
    while IFS= read -r -d '' name; do
        [ "$name" = SHA256SUMS ] ||
            awk -v name="$name" '$2 == name { found = 1 } END { exit !found }' "$1/SHA256SUMS" ||
            return 1
    done < <(find "$1" -mindepth 1 -maxdepth 1 -printf '%f\0')
}
mode=release out=$root/dist certificate= timestamp= signed= ca= pinned=
while [ $# -gt 0 ]; do
    case $1 in
        --verify) mode=verify ;;
        --verify-signed) mode=verify-signed signed=${2:-}; shift ;;
        --out) out=${2:-}; shift ;;
        --sign) certificate=${2:-}; shift ;;
        --timestamp) timestamp=${2:-}; shift ;;
        --ca) ca=${2:-}; shift ;;
        --signer) pinned=${2:-}; shift ;;
        *) usage ;;
    esac
    shift
done
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
case $mode in
    release)
        [ -n "$out" ] && [ -z "$ca$pinned" ] || usage
        [ -z "$timestamp" ] || [ -n "$certificate" ] || usage
        if [ -n "$certificate" ]; then
            [ -f "$certificate" ] || refuse "no certificate $certificate"
            certificate=$(absolute "$certificate")
            [ -n "$timestamp" ] || echo "release.sh: without --timestamp, the signatures stop" \
                "being valid when the certificate expires." >&2
        fi
        # The folder is replaced whole: only a folder that holds nothing of anyone's.
        if [ -e "$out" ] || [ -L "$out" ]; then
            [ -d "$out" ] && [ ! -L "$out" ] && { [ -z "$(ls -A "$out")" ] || earlier_release "$out"; } ||
                refuse "$out is neither empty nor an earlier release; give an empty or a new folder"
        fi
        mkdir -p "$(dirname "$out")"
        out=$(absolute "$out")
        ;;
    verify) [ -z "$certificate$timestamp$ca$pinned" ] || usage ;;
    verify-signed)
        [ -n "$signed" ] && [ -z "$certificate$timestamp" ] || usage
        [ -n "$ca$pinned" ] || { echo "release.sh: --verify-signed needs its signer pinned:" \
            "--ca with the authority that issued the signer's certificate, or --signer with the" \
            "certificate's SHA-256 fingerprint" >&2; exit 2; }
        pinned=$(tr -d ':' <<< "$pinned" | tr a-f A-F)
        [ -z "$pinned" ] || [[ $pinned =~ ^[0-9A-F]{64}$ ]] || usage
        [ -d "$signed" ] || refuse "no folder $signed"
        signed=$(absolute "$signed")
        [ -z "$ca" ] || ca=$(absolute "$ca")
        ;;
esac
# Signing is asked for here only, never by a variable left in the environment.
unset PELMORA_SIGN_CERT PELMORA_SIGN_TIMESTAMP PELMORA_SIGNATURES
commit=$(git -C "$root" rev-parse HEAD)
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    if [ $mode = release ]; then
        echo "release.sh: the tree has uncommitted changes; a release is built from a commit." >&2
        echo "Commit or stash them first." >&2
        exit 1
    fi
    echo "release.sh: checks commit $commit; the uncommitted changes are not part of it." >&2
fi
source "$root/scripts/packages.sh"
packages=("${build_packages[@]}" "${program_packages[@]}" "${debian_packages[@]}" "${windows_packages[@]}"
    "${windows_x86_packages[@]}" "${release_packages[@]}")
if [ $mode != release ]; then
    packages+=("${verify_packages[@]}")
fi
if [ -n "$certificate" ] || [ $mode = verify-signed ]; then
    packages+=("${signing_packages[@]}")
fi
PELMORA_SECURITY_UPDATES_ONLY=1 bash "$root/scripts/install-deps.sh" "${packages[@]}"

SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
# What the surroundings could change: the files' modes, the order and language of tools' output,
# the time zone, and flags from the environment.
umask 022
export LC_ALL=C.UTF-8 TZ=UTC
unset CFLAGS CXXFLAGS LDFLAGS CPPFLAGS MAKEFLAGS
jobs=$(nproc)
version=$(git -C "$root" show "$commit:CMakeLists.txt" | sed -n 's/^project(Pelmora VERSION \([0-9.]*\).*/\1/p')
artifacts=("Pelmora-${version}-win64.exe" "Pelmora-${version}-win64.msi"
    "Pelmora-${version}-win64.zip" "pelmora_${version}_amd64.deb" "libvantrel1_${version}_amd64.deb"
    "libvantrel-dev_${version}_amd64.deb")

# build FOLDER: the commit's tree exported into FOLDER/src, built beside it, and its packages and
# their checksums in FOLDER/dist.
build() {
    local folder=$1
    local src=$folder/src
    mkdir -p "$src" "$folder/dist"
    # The files as committed, whatever the line-ending settings of whoever builds.
    git -C "$root" -c core.autocrlf=false -c core.eol=lf -c core.attributesFile=/dev/null \
        archive "$commit" | tar -x -C "$src"
    local options=(-DCMAKE_BUILD_TYPE=Release -DPELMORA_BUILD_TESTS=OFF
        -DPELMORA_BUILD_BENCHMARKS=OFF -DPELMORA_REPRODUCIBLE=ON)

    echo "== Linux: the program and the engine, the Debian packages"
    bash "$src/scripts/build-debian.sh" "$src" "$folder/dist"

    echo "== Windows, 32-bit: the engine for 32-bit callers"
    cmake -S "$src" -B "$folder/windows-x86" "${options[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-i686.cmake" > /dev/null
    cmake --build "$folder/windows-x86" -j"$jobs" --target vantrel

    echo "== Windows: the program and the engine, the installer, the MSI and the ZIP"
    cmake -S "$src" -B "$folder/windows" "${options[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
        -DPELMORA_X86_BUILD="$folder/windows-x86" > /dev/null
    cmake --build "$folder/windows" -j"$jobs" --target Pelmora vantrel folder_check \
        folder_check_actions
    if [ -n "${PELMORA_SIGN_CERT:-}${PELMORA_SIGNATURES:-}" ]; then
        echo "== Signing the program and the DLLs, which every package then holds"
        local sign=(bash "$src/packaging/sign.sh")
        "${sign[@]}" "$folder/windows/bin/Pelmora.exe" Pelmora.exe
        "${sign[@]}" "$folder/windows/bin/vantrel.dll" vantrel.dll
        "${sign[@]}" "$folder/windows-x86/bin/vantrel.dll" x86/vantrel.dll
        "${sign[@]}" "$folder/windows/setup/folder_check.exe" setup/folder_check.exe
        "${sign[@]}" "$folder/windows/setup/folder_check.dll" setup/folder_check.dll
    fi
    (cd "$folder/windows" && cpack > /dev/null)
    cmake --build "$folder/windows" --target installer msi > /dev/null

    for artifact in "${artifacts[@]:0:3}"; do
        cp "$folder/windows/$artifact" "$folder/dist/"
    done
    (cd "$folder/dist" && sha256sum "${artifacts[@]}" > SHA256SUMS)
}

started=$SECONDS

# compare FIRST SECOND: the two folders' release files, byte for byte; each one that differs is
# named and shown by diffoscope.
compare() {
    local artifact sums
    sums=$(cd "$1" && sha256sum "${artifacts[@]}")
    if [ "$sums" = "$(cd "$2" && sha256sum "${artifacts[@]}")" ]; then
        echo "$sums"
        return 0
    fi
    for artifact in "${artifacts[@]}"; do
        if ! cmp -s "$1/$artifact" "$2/$artifact"; then
            echo "== $artifact differs"
            diffoscope --no-progress "$1/$artifact" "$2/$artifact" 2>&1 | head -n 200 || true
        fi
    done
    return 1
}

case $mode in
    release)
        if [ -n "$certificate" ]; then
            export PELMORA_SIGN_CERT=$certificate PELMORA_SIGN_TIMESTAMP=$timestamp
            [ ! -f "$work/password" ] || export PELMORA_SIGN_PASSWORD_FILE=$work/password
        fi
        build "$work/release"
        # The output folder is replaced whole, only once the release is complete, from a copy
        # beside it.
        staging=$(mktemp -d "$(dirname "$out")/.release.XXXXXX")
        trap 'rm -rf "$work" "$staging"' EXIT
        cp -r "$work/release/dist" "$staging/dist"
        rm -rf "$out"
        mv "$staging/dist" "$out"
        echo "== $out, commit $commit, in $((SECONDS - started)) s"
        (cd "$out" && ls -l && cat SHA256SUMS)
        ;;
    verify)
        # Two folders of different names and lengths, one after the other.
        build "$work/first"
        build "$work/the-second-build"
        echo "== the two builds, commit $commit, in $((SECONDS - started)) s"
        compare "$work/first/dist" "$work/the-second-build/dist"
        echo "The two builds are the same to the byte."
        ;;
    verify-signed)
        # The release's files and SHA256SUMS as the release writes it, and nothing else: another
        # file beside the program, a DLL for example, is no part of the release.
        expected=$(printf '%s\n' "${artifacts[@]}" SHA256SUMS | sort)
        found=$(find "$signed" -mindepth 1 -maxdepth 1 -type f -printf '%f\n' | sort)
        if [ "$found" != "$expected" ] || [ -n "$(find "$signed" -mindepth 1 -maxdepth 1 ! -type f)" ]; then
            refuse "$signed holds other files than the release's:" \
                "$(find "$signed" -mindepth 1 -maxdepth 1 -printf '%f\0' |
                    grep -z -v -x -F "$expected" | xargs -0 -r printf '%q ')"
        fi
        (cd "$signed" && sha256sum "${artifacts[@]}") | cmp -s - "$signed/SHA256SUMS" ||
            refuse "$signed/SHA256SUMS is not the release's list of its files and their checksums"
        # Every signature the release carries: the installer's and its uninstaller's, the MSI's,
        # those of the folder check that each installer runs, and those of the program and the
        # DLLs, which the ZIP holds as the installers do.
        export PELMORA_SIGNATURES=$work/signatures
        mkdir -p "$PELMORA_SIGNATURES" "$work/unpacked" "$work/package"
        # A time stamp is trusted by the system's certificates or by CAFILE's.
        cat /etc/ssl/certs/ca-certificates.crt ${ca:+"$ca"} > "$work/time-stamp-authorities.pem"
        authorities=(-TSA-CAfile "$work/time-stamp-authorities.pem")
        if [ -n "$ca" ]; then
            authorities+=(-CAfile "$ca")
        fi
        installer=${artifacts[0]} package=${artifacts[1]} zip=${artifacts[2]}
        7zz x -y -bso0 -o"$work/unpacked" "$signed/$zip" > /dev/null
        7zz x -y -bso0 -o"$work/unpacked" "$signed/$installer" Uninstall.exe \
            '$PLUGINSDIR/folder_check.exe' > /dev/null
        msidump -s -d "$work/package" "$signed/$package" > /dev/null
        inside=$work/unpacked/${zip%.zip}
        signer= stamper=
        for name in Pelmora.exe vantrel.dll x86/vantrel.dll setup/folder_check.exe \
            setup/folder_check.dll Uninstall.exe "$installer" "$package"; do
            file=$signed/$name
            case $name in
                Uninstall.exe) file=$work/unpacked/$name ;;
                setup/folder_check.exe) file=$work/unpacked/\$PLUGINSDIR/folder_check.exe ;;
                setup/folder_check.dll) file=$work/package/_Streams/Binary.FolderCheck ;;
                *.dll | Pelmora.exe) file=$inside/$name ;;
            esac
            [ -f "$file" ] || refuse "the release holds no $name"
            if ! osslsigncode verify "${authorities[@]}" -in "$file" > "$work/verified" 2>&1; then
                tr -d '\000-\010\013-\037\177' < "$work/verified"
                refuse "the signature of $name does not hold"
            fi
            signature=$PELMORA_SIGNATURES/${name//\//-}.p7
            osslsigncode extract-signature -in "$file" -out "$signature" > /dev/null
            program=("$file")
            [[ $name != *.msi ]] || program=()
            python3 "$root/scripts/check_signature.py" "$signature" "${program[@]}" \
                > "$work/checked" || refuse "the signature of $name is not one plain signature"
            { read -r fingerprint stamped_by; read -r subject; read -r authority; } < "$work/checked"
            printf 'signature of %s: %s\n' "$name" "$subject"
            # One signer for every file: a file signed by anyone else, however trusted, is not
            # the release's.
            signer=${signer:-${pinned:-$fingerprint}}
            [ "$fingerprint" = "$signer" ] || refuse "$name is signed by another signer"
            [ "$stamped_by" != - ] || continue
            printf '  time stamp by: %s\n' "$authority"
            # osslsigncode accepts a signature whose time stamp fails, as if it had none.
            grep -q '^Timestamp Server Signature verification: ok' "$work/verified" ||
                refuse "the time stamp of $name does not hold"
            # And one time-stamp authority for every file that has a time stamp.
            stamper=${stamper:-$stamped_by}
            [ "$stamped_by" = "$stamper" ] || refuse "$name is time-stamped by another authority"
        done
        build "$work/rebuilt"
        echo "== the release built again with its signatures, commit $commit, in $((SECONDS - started)) s"
        compare "$signed" "$work/rebuilt/dist"
        echo "Every signature holds, by the certificate with the SHA-256 fingerprint $signer, and the" \
            "release is the commit's release with them added."
        ;;
esac
