#!/usr/bin/env bash
# A signed release of the last commit, with a throwaway certificate: every signature holds, the
# uninstaller's that the installer writes included, and the release is the commit's release with
# the signatures added. A release whose installer another signer of the same authority signed
# fails that check, and so does one whose MSI is not the commit's, though signed with the same
# certificate. The installer check runs on the signed installer with the Windows build's wine and
# driver.
# Usage: check_signed_release.sh WINDOWS_BUILD
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export PELMORA_SIGN_PASSWORD="a throwaway password"
bash "$root/tests/release/make_test_certificate.sh" "$work" "$PELMORA_SIGN_PASSWORD"
release=$work/release
bash "$root/scripts/release.sh" --sign "$work/signer.p12" --out "$release"
bash "$root/scripts/release.sh" --verify-signed "$release" --ca "$work/authority.pem"

# check_fails FOLDER WHAT: --verify-signed refuses the release in FOLDER, saying WHAT.
check_fails() {
    (cd "$1" && sha256sum ./*.deb ./*.exe ./*.msi ./*.zip | sed 's| \./| |' > SHA256SUMS)
    if bash "$root/scripts/release.sh" --verify-signed "$1" --ca "$work/authority.pem" \
        > "$1.log" 2>&1; then
        fail "the check passes $1"
    fi
    grep -q "$2" "$1.log" || { cat "$1.log"; fail "the check does not say: $2"; }
}

echo "== a release whose installer another signer signed fails the check"
installer=$(cd "$release" && ls Pelmora-*-win64.exe)
cp -r "$release" "$work/resigned"
rm "$work/resigned/$installer"
osslsigncode remove-signature -in "$release/$installer" -out "$work/resigned/$installer" > /dev/null
PELMORA_SIGN_CERT=$work/other-signer.p12 PELMORA_SIGN_PASSWORD= \
    bash "$root/packaging/sign.sh" "$work/resigned/$installer" "$installer"
check_fails "$work/resigned" "$installer is signed by another signer"

echo "== a release signed with the same certificate, but with another MSI, fails the check"
cp -r "$release" "$work/other"
package=$(cd "$release" && ls Pelmora-*-win64.msi)
cp "$build/tests/win32/later/Pelmora-1.0.0.3-win64.msi" "$work/other/$package"
PELMORA_SIGN_CERT=$work/signer.p12 bash "$root/packaging/sign.sh" "$work/other/$package" "$package"
check_fails "$work/other" "== $package differs"

echo "== the signed installer, installed"
from_build() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "$root/tests/win32/check_installer.sh" "$(from_build PELMORA_WINE64)" \
        "$(from_build PELMORA_WINESERVER)" "$release"/Pelmora-*-win64.exe \
        "$release/$package" "$build/bin/pelmora_driver.exe" \
        "$root/tests/support/make_wine_prefix.sh" "$work/authority.pem"
