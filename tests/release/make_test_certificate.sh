#!/usr/bin/env bash
# Makes a throwaway certificate authority and two code-signing certificates that it issued, for the
# tests of a signed release: FOLDER/authority.pem (the authority's certificate, to check signatures
# against), FOLDER/signer.p12 (the signer's certificate and key, under PASSWORD) and
# FOLDER/other-signer.p12 (another signer's, without a password).
# Usage: make_test_certificate.sh FOLDER PASSWORD
set -euo pipefail
folder=$1 password=$2
mkdir -p "$folder"
cd "$folder"
openssl req -x509 -newkey rsa:2048 -nodes -keyout authority.key -out authority.pem -days 30 \
    -subj "/CN=Pelmora test authority" -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" 2> /dev/null
printf '%s\n' "basicConstraints=CA:FALSE" "keyUsage=critical,digitalSignature" \
    "extendedKeyUsage=codeSigning" > signer.ext
for signer in "signer:Pelmora test signer:$password" "other-signer:Someone else:"; do
    IFS=: read -r name subject secret <<< "$signer"
    openssl req -newkey rsa:2048 -nodes -keyout "$name.key" -out "$name.csr" \
        -subj "/CN=$subject/O=空巡通信株式会社" -utf8 2> /dev/null
    openssl x509 -req -in "$name.csr" -CA authority.pem -CAkey authority.key -CAcreateserial \
        -out "$name.pem" -days 30 -extfile signer.ext 2> /dev/null
    openssl pkcs12 -export -out "$name.p12" -inkey "$name.key" -in "$name.pem" \
        -certfile authority.pem -passout "pass:$secret"
    rm -f "$name.key" "$name.csr" "$name.pem"
done
rm -f authority.key authority.srl signer.ext
