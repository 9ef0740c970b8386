"""Checks that an Authenticode signature, as osslsigncode extract-signature writes it, is one plain
signature and nothing else, so that the published signatures attached to a rebuilt release carry
nothing that was not signed: one signer; no nested signature; no unsigned attribute but one RFC
3161 time stamp, itself signed once, with nothing unsigned; no certificate that is not on the
signer's chain (or the time stamp's), each signed by the one above it; no revocation lists; the
versions and algorithm identifiers in the forms signers write; strict DER throughout. For a signed
program or DLL, its attribute certificate table holds this one signature and nothing more.

Prints, on three lines: the SHA-256 fingerprints of the signer's certificate and of the time-stamp
authority's ("-" without a time stamp); the signer's subject; the authority's. Subjects are
text: control and formatting characters in a name are shown as U+FFFD, never passed to the
terminal.

Usage: check_signature.py SIGNATURE.p7 [SIGNED_PE_FILE]
Exits 1, saying why, when the signature is not a plain one.
"""
import base64
import hashlib
import pathlib
import struct
import subprocess
import sys
import tempfile
import unicodedata

SIGNED_DATA = "1.2.840.113549.1.7.2"
RFC3161_TIME_STAMP = "1.3.6.1.4.1.311.3.3.1"
NESTED_SIGNATURE = "1.3.6.1.4.1.311.2.4.1"
NAMES = {"2.5.4.3": "CN", "2.5.4.6": "C", "2.5.4.7": "L", "2.5.4.8": "ST", "2.5.4.10": "O",
         "2.5.4.11": "OU", "1.2.840.113549.1.9.1": "emailAddress"}


class Refused(Exception):
    pass


def encoded_oid(dotted):
    """The DER contents of an object identifier."""
    values = [int(v) for v in dotted.split(".")]
    out = bytearray([40 * values[0] + values[1]])
    for value in values[2:]:
        chunk = [value & 0x7F]
        while value > 0x7F:
            value >>= 7
            chunk.insert(0, 0x80 | value & 0x7F)
        out += bytes(chunk)
    return bytes(out)


def algorithm(dotted, null):
    body = bytes([0x06, len(encoded_oid(dotted))]) + encoded_oid(dotted) + (b"\x05\x00" if null else b"")
    return bytes([0x30, len(body)]) + body


# The algorithm identifiers a signature may use, each in the forms that signers write, to the
# byte: their parameters are signed by no one.
DIGESTS = {algorithm(f"{base}", null) for base in
           ("1.3.14.3.2.26", "2.16.840.1.101.3.4.2.1", "2.16.840.1.101.3.4.2.2",
            "2.16.840.1.101.3.4.2.3") for null in (True, False)}
SIGNATURES = {algorithm(f"1.2.840.113549.1.1.{n}", True) for n in (1, 5, 11, 12, 13)} | \
    {algorithm(f"1.2.840.10045.4.3.{n}", False) for n in (2, 3, 4)}
VERSIONS = {b"\x02\x01\x01", b"\x02\x01\x03"}


def tlv(data, at=0):
    """The tag, the contents and the end of the DER element at `at`; a length that is not in its
    shortest form, or is indefinite, is refused."""
    if at + 2 > len(data):
        raise Refused("a truncated element")
    tag, length, at = data[at], data[at + 1], at + 2
    if tag & 0x1F == 0x1F:
        raise Refused("a tag in the long form")
    if length & 0x80:
        count = length & 0x7F
        if count == 0 or count > 4 or at + count > len(data) or data[at] == 0:
            raise Refused("a length that is not DER")
        length = int.from_bytes(data[at:at + count], "big")
        if length < 0x80 or length < 1 << 8 * (count - 1):
            raise Refused("a length that is not DER")
        at += count
    if at + length > len(data):
        raise Refused("a truncated element")
    return tag, data[at:at + length], at + length


def children(data):
    """The elements that `data`, the contents of a constructed element, holds, with their whole
    encodings."""
    items, at = [], 0
    while at < len(data):
        tag, contents, end = tlv(data, at)
        items.append((tag, contents, data[at:end]))
        at = end
    return items


def oid(contents):
    values, value = [], 0
    for byte in contents:
        value = value << 7 | byte & 0x7F
        if not byte & 0x80:
            values.append(value)
            value = 0
    first = min(values[0] // 40, 2)
    return ".".join(map(str, [first, values[0] - 40 * first] + values[1:]))


def signed_data(encoded, what):
    """The parts of the SignedData in the ContentInfo `encoded`, which must be all there is."""
    tag, contents, end = tlv(encoded)
    if tag != 0x30 or end != len(encoded):
        raise Refused(f"{what}: something after the signature")
    parts = children(contents)
    if len(parts) != 2 or parts[0][0] != 0x06 or oid(parts[0][1]) != SIGNED_DATA or \
            parts[1][0] != 0xA0:
        raise Refused(f"{what}: not a signature")
    inner = children(parts[1][1])
    if len(inner) != 1 or inner[0][0] != 0x30:
        raise Refused(f"{what}: not a signature")
    fields = children(inner[0][1])
    certificates = [item for tag, body, _ in fields if tag == 0xA0 for item in children(body)]
    if any(tag == 0xA1 for tag, _, _ in fields):
        raise Refused(f"{what}: revocation lists")
    signers = children(fields[-1][1]) if fields and fields[-1][0] == 0x31 else []
    if len(signers) != 1:
        raise Refused(f"{what}: {len(signers)} signers")
    signer = children(signers[0][1])
    # Everything outside the signed attributes and the certificates is either signed or one of
    # the few forms that signers write, so that no one can hide anything there.
    digests = children(fields[1][1]) if len(fields) > 1 and fields[1][0] == 0x31 else []
    if fields[0][2] not in VERSIONS or len(signer) not in (6, 7) or signer[0][2] not in VERSIONS \
            or len(digests) != 1 or digests[0][2] != signer[2][2] or signer[2][2] not in DIGESTS \
            or signer[3][0] != 0xA0 or signer[4][2] not in SIGNATURES or signer[5][0] != 0x04 \
            or len(signer) == 7 and signer[6][0] != 0xA1:
        raise Refused(f"{what}: a field that is not in one of its usual forms")
    return [whole for _, _, whole in certificates], signer


def certificate_names(certificate):
    """The issuer, the serial number and the subject of a certificate, as encoded."""
    tbs = children(children(tlv(certificate)[1])[0][1])
    if tbs[0][0] == 0xA0:
        tbs = tbs[1:]
    return tbs[2][2], tbs[0][2], tbs[4][2]


def chain(certificates, issuer_and_serial, what):
    """The signer's certificate, after checking that every certificate is on its chain. A time
    stamp's signer may be named by its key instead (issuer_and_serial None): its certificate is
    then the one that issued none of the others. A certificate given twice counts once."""
    certificates = list(dict.fromkeys(certificates))
    names = [certificate_names(c) for c in certificates]
    if issuer_and_serial is None:
        leaf = [c for c, (_, _, name) in zip(certificates, names)
                if not any(issuer == name for issuer, _, subject in names if subject != name)]
    else:
        issuer, serial = (whole for _, _, whole in children(issuer_and_serial[1]))
        leaf = [c for c, n in zip(certificates, names) if n[:2] == (issuer, serial)]
    if len(leaf) != 1:
        raise Refused(f"{what}: no one certificate of the signer")
    on_chain, current = [leaf[0]], leaf[0]
    while True:
        above = [c for c in certificates if c not in on_chain and
                 certificate_names(c)[2] == certificate_names(current)[0]]
        if not above:
            break
        current = above[0]
        on_chain.append(current)
    if len(on_chain) != len(certificates):
        raise Refused(f"{what}: a certificate that is not on the signer's chain")
    # A certificate could carry a name that fits the chain and anything else: each one above the
    # signer's must have signed the one below it, and a self-issued one itself.
    links = list(zip(on_chain, on_chain[1:]))
    if certificate_names(on_chain[-1])[0] == certificate_names(on_chain[-1])[2]:
        links.append((on_chain[-1], on_chain[-1]))
    for child, parent in links:
        if not signed_by(child, parent):
            raise Refused(f"{what}: a certificate that its issuer did not sign")
    return leaf[0]


def pem(certificate):
    return "-----BEGIN CERTIFICATE-----\n" + base64.encodebytes(certificate).decode() + \
        "-----END CERTIFICATE-----\n"


def signed_by(child, parent):
    """Whether `parent`'s key signed `child` (openssl, with no other certificate trusted, at any
    time)."""
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        (folder / "child.pem").write_text(pem(child))
        (folder / "parent.pem").write_text(pem(parent))
        checked = subprocess.run(
            ["openssl", "verify", "-no-CAfile", "-no-CApath", "-no-CAstore", "-partial_chain",
             "-no_check_time", "-check_ss_sig", "-trusted", folder / "parent.pem",
             folder / "child.pem"], capture_output=True)
        return checked.returncode == 0


def unsigned_attributes(signer):
    """Each unsigned attribute of a SignerInfo: its type and its set of values."""
    attributes = []
    for tag, contents, _ in signer:
        if tag == 0xA1:
            attributes += [children(attribute) for _, attribute, _ in children(contents)]
    return attributes


def check(signature):
    certificates, signer = signed_data(signature, "the signature")
    leaf = chain(certificates, signer[1], "the signature")
    attributes = unsigned_attributes(signer)
    for attribute in attributes:
        kind = oid(attribute[0][1])
        if kind == NESTED_SIGNATURE:
            raise Refused("a nested signature")
        if kind != RFC3161_TIME_STAMP:
            raise Refused(f"an unsigned attribute {kind}")
        values = children(attribute[1][1])
        if len(attributes) != 1 or len(values) != 1:
            raise Refused("more than one time stamp")
        stamp_certificates, stamp_signer = signed_data(values[0][2], "the time stamp")
        authority = chain(stamp_certificates, None, "the time stamp")
        if unsigned_attributes(stamp_signer):
            raise Refused("the time stamp: an unsigned attribute")
        return leaf, authority
    return leaf, None


def text(value_tag, contents):
    codec = {0x0C: "utf-8", 0x13: "ascii", 0x16: "ascii", 0x14: "latin-1", 0x1E: "utf-16-be",
             0x1C: "utf-32-be"}.get(value_tag, "latin-1")
    shown = contents.decode(codec, errors="replace")
    return "".join("\ufffd" if unicodedata.category(c) in ("Cc", "Cf") else c for c in shown)


def subject(certificate):
    parts = []
    for _, rdn, _ in children(tlv(certificate_names(certificate)[2])[1]):
        for _, pair, _ in children(rdn):
            (_, kind, _), (value_tag, value, _) = children(pair)
            parts.append(f"{NAMES.get(oid(kind), oid(kind))}={text(value_tag, value)}")
    return ", ".join(parts)


def check_program(path, signature):
    """The attribute certificate table of a PE file: one entry, at the end of the file, that holds
    the signature and the zeros that pad it to eight bytes."""
    data = open(path, "rb").read()
    header = struct.unpack_from("<I", data, 0x3C)[0]
    optional = header + 24
    directories = optional + {0x10B: 96, 0x20B: 112}[struct.unpack_from("<H", data, optional)[0]]
    offset, size = struct.unpack_from("<II", data, directories + 4 * 8)
    length = struct.unpack_from("<I", data, offset)[0]
    end = offset + 8 + len(signature)
    if length != size or offset + size != len(data) or size != (end - offset + 7) // 8 * 8 or \
            data[offset + 8:end] != signature or any(data[end:]):
        raise Refused("more than the one signature in its certificate table, or after it")


def main():
    signature = open(sys.argv[1], "rb").read()
    try:
        leaf, authority = check(signature)
        if len(sys.argv) > 2:
            check_program(sys.argv[2], signature)
    except Refused as error:
        print(f"not a plain signature: {error}", file=sys.stderr)
        return 1
    except (IndexError, ValueError, KeyError, struct.error):
        print("not a plain signature: it cannot be read", file=sys.stderr)
        return 1
    fingerprint = lambda certificate: hashlib.sha256(certificate).hexdigest().upper()
    print(fingerprint(leaf), fingerprint(authority) if authority else "-")
    print(subject(leaf))
    print(subject(authority) if authority else "")
    return 0


if __name__ == "__main__":
    sys.exit(main())
