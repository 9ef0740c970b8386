#!/usr/bin/env bash
# Signs FILE in place with an Authenticode signature (SHA-256), for a signed release
# (scripts/release.sh --sign). NAME says which file it is: Pelmora.exe, vantrel.dll,
# x86/vantrel.dll, setup/folder_check.exe, setup/folder_check.dll, Uninstall.exe, or the
# installer's or the package's file name.
#   PELMORA_SIGN_CERT           the certificate and its key (PKCS#12)
#   PELMORA_SIGN_PASSWORD_FILE  a file of this user's only that holds its password (none when
#                               unset or empty): never the password itself, which every program
#                               started would find in its environment
#   PELMORA_SIGN_TIMESTAMP      an RFC 3161 time-stamp server's URL (optional)
# With PELMORA_SIGNATURES (a folder) instead, the signature that a published release carries for
# NAME is attached (the folder's NAME.p7, with every / in NAME a -): a signed release rebuilt so
# that it can be compared with the published one.
# Usage: sign.sh FILE NAME
set -euo pipefail
file=$1 name=$2
signed=$file.signed
rm -f "$signed"
if [ -n "${PELMORA_SIGNATURES:-}" ]; then
    signature=$PELMORA_SIGNATURES/${name//\//-}.p7
    [ -f "$signature" ] || { echo "sign.sh: no signature for $name in $PELMORA_SIGNATURES" >&2; exit 1; }
    # Its verdict on the certificate is no concern here, and its exit code differs between
    # versions: the comparison of the rebuilt release with the published one decides.
    osslsigncode attach-signature -sigin "$signature" -in "$file" -out "$signed" > /dev/null 2>&1 || true
    [ -f "$signed" ] || { echo "sign.sh: the published signature of $name does not fit it" >&2; exit 1; }
else
    # The password goes through the file, not the command line, which any user can see;
    # osslsigncode reads no empty password from a file.
    password=(-pass "")
    if [ -s "${PELMORA_SIGN_PASSWORD_FILE:-}" ]; then
        password=(-readpass "$PELMORA_SIGN_PASSWORD_FILE")
    fi
    timestamp=()
    if [ -n "${PELMORA_SIGN_TIMESTAMP:-}" ]; then
        timestamp=(-ts "$PELMORA_SIGN_TIMESTAMP")
    fi
    osslsigncode sign -pkcs12 "$PELMORA_SIGN_CERT" "${password[@]}" -h sha256 \
        -n Pelmora "${timestamp[@]}" -in "$file" -out "$signed" > /dev/null
fi
mv "$signed" "$file"
