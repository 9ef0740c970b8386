#!/usr/bin/env bash
# A signed release of the last commit, with a throwaway certificate, whose password no program
# that the release starts finds in its environment: every signature holds, the uninstaller's that
# the installer writes included, time stamps added afterwards included, and the release is the
# commit's release with the signatures added. The check refuses, before it builds anything: when
# no signer is pinned; a folder with a file that is not the release's, or whose SHA256SUMS is not
# the release's; a signature with an unsigned attribute, a nested signature, a time stamp of an
# authority no one trusts, another signer's signature, pinned or not, and one whose name holds a
# terminal's control sequences, which it shows as text. A release signed with the same certificate,
# but with an MSI changed, fails the comparison. --out refuses a folder of someone's. The installer
# check runs on the signed installer with the Windows build's wine and driver.
# Usage: check_signed_release.sh WINDOWS_BUILD
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
password="a throwaway password"
bash "$root/tests/release/make_test_certificate.sh" "$work" "$password"
fingerprint() {
    openssl pkcs12 -in "$work/$1.p12" -passin "pass:$2" -nokeys -clcerts 2> /dev/null |
        openssl x509 -noout -fingerprint -sha256 | cut -d= -f2
}

echo "== --out refuses a folder that is neither empty nor an earlier release"
mkdir "$work/mine"
touch "$work/mine/notes.txt"
! bash "$root/scripts/release.sh" --out "$work/mine" 2> "$work/mine.log" || fail "--out took it"
grep -q "is neither empty nor an earlier release" "$work/mine.log" || fail "$(cat "$work/mine.log")"
[ -f "$work/mine/notes.txt" ] || fail "--out deleted what the folder held"

echo "== signed, with no password in any program's environment"
mkdir "$work/spy"
# It looks in its own environment and in the one each process above it was started with.
cat > "$work/spy/osslsigncode" << EOF
#!/bin/sh
process=\$\$
while [ "\$process" -gt 1 ]; do
    if tr '\\0' '\\n' < /proc/\$process/environ | grep -q '^PELMORA_SIGN_PASSWORD='; then
        echo "process \$process has the password in its environment" >&2
        exit 1
    fi
    process=\$(sed 's/.*) //' /proc/\$process/stat | cut -d' ' -f2)
done
exec $(command -v osslsigncode) "\$@"
EOF
chmod +x "$work/spy/osslsigncode"
release=$work/release
PELMORA_SIGN_PASSWORD=$password PATH=$work/spy:$PATH \
    bash "$root/scripts/release.sh" --sign "$work/signer.p12" --out "$release"
installer=$(cd "$release" && ls Pelmora-*-win64.exe)
package=$(cd "$release" && ls Pelmora-*-win64.msi)
version=${installer#Pelmora-}
version=${version%-win64.exe}
# sums FOLDER: SHA256SUMS made again, in the release's order, for a file added at the end.
sums() {
    local listed
    listed=$(awk '{ print $2 }' "$1/SHA256SUMS")
    (cd "$1" && sha256sum $listed $(ls | grep -v -x -F -e SHA256SUMS -e "$listed") > ../SHA256SUMS &&
        mv ../SHA256SUMS SHA256SUMS)
}
# variant NAME: a copy of the release, to be changed.
variant() {
    cp -r "$release" "$work/$1"
    echo "$work/$1"
}
# refuses FOLDER WHAT [OPTION...]: --verify-signed refuses the release in FOLDER, saying WHAT.
refuses() {
    local folder=$1 what=$2
    shift 2
    (($# > 0)) || set -- --ca "$work/authority.pem"
    ! bash "$root/scripts/release.sh" --verify-signed "$folder" "$@" > "$folder.log" 2>&1 ||
        fail "the check passes $folder"
    grep -q -F -- "$what" "$folder.log" || { cat "$folder.log"; fail "the check does not say: $what"; }
    ! grep -q "^== Linux: the program" "$folder.log" || fail "the release was built again for $folder"
}
# Time stamps, from osslsigncode's own time-stamp authority.
stamp() {
    osslsigncode add -TSA-certs "$work/$2.pem" -TSA-key "$work/$2.key" -in "$1" -out "$1.stamped" \
        > /dev/null
    mv "$1.stamped" "$1"
}

echo "== refused: no signer pinned"
! bash "$root/scripts/release.sh" --verify-signed "$release" > "$work/unpinned.log" 2>&1 ||
    fail "the check passes without a pinned signer"
grep -q "needs its signer pinned" "$work/unpinned.log" || fail "$(cat "$work/unpinned.log")"

echo "== refused: a file beside the release's"
folder=$(variant extra)
touch "$folder/version.dll"
sums "$folder"
refuses "$folder" "holds other files than the release's: version.dll"

echo "== refused: SHA256SUMS that is not the release's"
folder=$(variant sums)
echo "$(sha256sum < /dev/null | cut -d' ' -f1)  empty" >> "$folder/SHA256SUMS"
refuses "$folder" "SHA256SUMS is not the release's"

echo "== refused: an unsigned attribute, a nested signature"
folder=$(variant blob)
rm "$folder/$installer"
osslsigncode add -addUnauthenticatedBlob -in "$release/$installer" -out "$folder/$installer" \
    > /dev/null
sums "$folder"
refuses "$folder" "not a plain signature: an unsigned attribute"
folder=$(variant nested)
rm "$folder/$package"
osslsigncode sign -pkcs12 "$work/other-signer.p12" -pass "" -h sha256 -nest \
    -in "$release/$package" -out "$folder/$package" > /dev/null
sums "$folder"
refuses "$folder" "not a plain signature: a nested signature"

echo "== refused: a time stamp of an authority no one trusts"
folder=$(variant stamped-by-someone)
stamp "$folder/$package" other-tsa
sums "$folder"
refuses "$folder" "the time stamp of $package does not hold"

echo "== refused: another signer's installer, one whose name holds control sequences"
for signer in other-signer hostile-signer; do
    folder=$(variant "$signer")
    rm "$folder/$installer"
    osslsigncode remove-signature -in "$release/$installer" -out "$folder/$installer" > /dev/null
    PELMORA_SIGN_CERT=$work/$signer.p12 bash "$root/packaging/sign.sh" "$folder/$installer" \
        "$installer"
    sums "$folder"
    refuses "$folder" "$installer is signed by another signer"
done
grep -q -F "signature of $installer: CN=�[2J�[31mPelmora test signer" "$folder.log" ||
    fail "the name is not shown as text: $(grep "signature of $installer" "$folder.log" | cat -v)"
! grep -q $'\e' "$folder.log" || fail "the check writes the name's control characters"

echo "== refused: a signer other than the one pinned"
refuses "$release" "Pelmora.exe is signed by another signer" --ca "$work/authority.pem" \
    --signer "$(fingerprint other-signer "")"

echo "== time stamps added to the installer and the MSI: the release checks out, signer pinned"
stamp "$release/$installer" tsa
stamp "$release/$package" tsa
sums "$release"
bash "$root/scripts/release.sh" --verify-signed "$release" --ca "$work/authority.pem" \
    --signer "$(fingerprint signer "$password")"

echo "== a release signed with the same certificate, but with another MSI, fails the check"
folder=$(variant other)
rm "$folder/$package"
osslsigncode remove-signature -in "$release/$package" -out "$folder/$package" > /dev/null
msibuild "$folder/$package" \
    -q "UPDATE \`Property\` SET \`Value\` = 'someone@example.com' WHERE \`Property\` = 'ARPCONTACT'"
printf '%s' "$password" > "$work/password"
PELMORA_SIGN_CERT=$work/signer.p12 PELMORA_SIGN_PASSWORD_FILE=$work/password \
    bash "$root/packaging/sign.sh" "$folder/$package" "$package"
sums "$folder"
! bash "$root/scripts/release.sh" --verify-signed "$folder" --ca "$work/authority.pem" \
    > "$folder.log" 2>&1 || fail "the check passes another MSI"
grep -q "== $package differs" "$folder.log" || { cat "$folder.log"; fail "the MSI is not named"; }

echo "== the signed installer, installed"
from_build() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "$root/tests/win32/check_installer.sh" "$(from_build PELMORA_WINE64)" \
        "$(from_build PELMORA_WINESERVER)" "$release/$installer" \
        "$release/$package" "$build/bin/pelmora_driver.exe" \
        "$root/tests/support/make_wine_prefix.sh" "$version" "$work/authority.pem"
