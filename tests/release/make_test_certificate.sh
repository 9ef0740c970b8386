#!/usr/bin/env bash
# Makes a throwaway certificate authority and three code-signing certificates that it issued, for
# the tests of a signed release: FOLDER/authority.pem (the authority's certificate, to check
# signatures against), FOLDER/signer.p12 (the signer's certificate and key, under PASSWORD),
# FOLDER/other-signer.p12 (another signer's, without a password) and FOLDER/hostile-signer.p12
# (one whose name holds a terminal's control sequences, without a password). And two time-stamp
# authorities' certificates and keys, for osslsigncode's own time stamps: FOLDER/tsa.pem and
# tsa.key, issued by the authority, and FOLDER/other-tsa.pem and other-tsa.key, by no one known.
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
for signer in "signer:Pelmora test signer:$password" "other-signer:Someone else:" \
    "hostile-signer:"$'\e[2J\e[31m'"Pelmora test signer:"; do
    IFS=: read -r name subject secret <<< "$signer"
    openssl req -newkey rsa:2048 -nodes -keyout "$name.key" -out "$name.csr" \
        -subj "/CN=$subject/O=空巡通信株式会社" -utf8 2> /dev/null
    openssl x509 -req -in "$name.csr" -CA authority.pem -CAkey authority.key -CAcreateserial \
        -out "$name.pem" -days 30 -extfile signer.ext 2> /dev/null
    openssl pkcs12 -export -out "$name.p12" -inkey "$name.key" -in "$name.pem" \
        -certfile authority.pem -passout "pass:$secret"
    rm -f "$name.key" "$name.csr" "$name.pem"
done
printf '%s\n' "basicConstraints=CA:FALSE" "keyUsage=critical,digitalSignature" \
    "extendedKeyUsage=critical,timeStamping" > tsa.ext
openssl req -newkey rsa:2048 -nodes -keyout tsa.key -out tsa.csr -subj "/CN=Pelmora test TSA" \
    2> /dev/null
openssl x509 -req -in tsa.csr -CA authority.pem -CAkey authority.key -CAcreateserial -out tsa.pem \
    -days 30 -extfile tsa.ext 2> /dev/null
openssl req -x509 -newkey rsa:2048 -nodes -keyout other-tsa.key -out other-tsa.pem -days 30 \
    -subj "/CN=Unknown TSA" -addext "extendedKeyUsage=critical,timeStamping" 2> /dev/null
rm -f authority.key authority.srl signer.ext tsa.ext tsa.csr
