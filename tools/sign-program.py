#!/usr/bin/env python3
"""Signs a provider's program file (SHA-256 Authenticode) and checks what it made.

    sign-program.py check                            the signing values alone, before the build
    sign-program.py sign PROGRAM SIGNED COMPANY      PROGRAM signed into SIGNED, then checked
    sign-program.py sign CHECK SIGNED COMPANY check  the provider's check, likewise (its own
                                                     resources: not audited as the program's)
The signature's description is the file's name without ".exe".

The values come from the environment, as `make provider` passes them:
  SIGN_PKCS12, SIGN_PASSWORD_FILE                 a key and its certificates in a PKCS#12 file
  SIGN_PKCS11_MODULE, SIGN_PKCS11_KEY, SIGN_CERTS, SIGN_PIN_FILE
                                                  a key on a token (PKCS#11), its certificates
                                                  in a file, the leaf first
  SIGN_CA                                         the roots to verify against
  TIMESTAMP_URL, TIMESTAMP_TIMEOUT                an RFC 3161 timestamp server, and how long it
                                                  may take to answer (seconds, default 30)
  SOURCE_DATE_EPOCH                               the signing time (else the moment of signing)
Passwords and PINs are read from their files by osslsigncode itself: they are never on a
command line, in the environment or in a log, and the PIN is tried once. Without SIGN_PKCS12
and SIGN_PKCS11_MODULE nothing is signed: `check` says so, and `sign` copies PROGRAM to SIGNED
as it is. A value that cannot be used stops everything with
one line naming it and the reason, exit code 1; `sign` then leaves no SIGNED behind.
"""
import ctypes
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OSSLSIGNCODE = os.environ.get("OSSLSIGNCODE", "osslsigncode")
SYSTEM_ROOTS = "/etc/ssl/certs/ca-certificates.crt"
MINIMUM_VERSION = (2, 5)
PEM_CERTIFICATE = re.compile(r"-----BEGIN CERTIFICATE-----.+?-----END CERTIFICATE-----\n?", re.S)


class Stop(Exception):
    """One line naming a value and what is wrong with it."""


def value(name):
    return os.environ.get(name, "")


def stop(name, reason):
    raise Stop(f"{name}={value(name)!r}: {reason}" if value(name) else f"{name}: {reason}")


def run(command, stdin=None, timeout=120):
    return subprocess.run(command, input=stdin, capture_output=True, text=True, timeout=timeout,
                          check=False)


def mode():
    """"pkcs12", "pkcs11" or None, after the checks that need no file's content."""
    for secret in ("SIGN_PASSWORD", "SIGN_PIN"):
        if secret in os.environ:  # its value is not repeated
            raise Stop(f"{secret}: a password or PIN is read from a file ({secret}_FILE), never "
                       "given as a value: other users see values in the process list")
    pkcs12, pkcs11 = bool(value("SIGN_PKCS12")), bool(value("SIGN_PKCS11_MODULE"))
    if pkcs12 and pkcs11:
        stop("SIGN_PKCS11_MODULE", "the key is in SIGN_PKCS12 or on a token, not both")
    if not (pkcs12 or pkcs11):
        for name in ("SIGN_PKCS11_KEY", "SIGN_CERTS", "SIGN_PASSWORD_FILE", "SIGN_PIN_FILE",
                     "SIGN_CA", "TIMESTAMP_URL"):
            if value(name):
                stop(name, "is given, but no key: SIGN_PKCS12, or SIGN_PKCS11_MODULE with "
                           "SIGN_PKCS11_KEY and SIGN_CERTS")
        return None
    files = ["SIGN_PKCS12", "SIGN_PASSWORD_FILE"] if pkcs12 else \
        ["SIGN_PKCS11_MODULE", "SIGN_CERTS", "SIGN_PIN_FILE"]
    for name in files + ["SIGN_CA"]:
        if value(name):
            try:
                with open(value(name), "rb") as file:
                    file.read(1)
            except OSError as error:
                stop(name, f"cannot be read: {error.strerror}")
    if pkcs11:
        key = value("SIGN_PKCS11_KEY")
        if not key.startswith("pkcs11:"):
            stop("SIGN_PKCS11_KEY", 'is not a PKCS#11 URI such as "pkcs11:token=...;object=..."')
        if "pin-value=" in key:
            stop("SIGN_PKCS11_KEY", "carries the PIN (pin-value=); the PIN goes in SIGN_PIN_FILE")
        if not value("SIGN_CERTS"):
            stop("SIGN_CERTS", "is needed with a token: the key's certificate and its chain")
        try:
            if not hasattr(ctypes.CDLL(os.path.abspath(value("SIGN_PKCS11_MODULE"))),
                           "C_GetFunctionList"):
                stop("SIGN_PKCS11_MODULE", "is not a PKCS#11 module (no C_GetFunctionList)")
        except OSError as error:
            stop("SIGN_PKCS11_MODULE", f"does not load: {error}")
    url = value("TIMESTAMP_URL")
    if url and not re.match(r"https?://[^/\s]+", url):
        stop("TIMESTAMP_URL", "is not an http:// or https:// address")
    if value("TIMESTAMP_TIMEOUT") and not value("TIMESTAMP_TIMEOUT").isdigit():
        stop("TIMESTAMP_TIMEOUT", "is not a number of seconds")
    if value("SOURCE_DATE_EPOCH") and not value("SOURCE_DATE_EPOCH").isdigit():
        stop("SOURCE_DATE_EPOCH", "is not a number of seconds since 1970")
    return "pkcs12" if pkcs12 else "pkcs11"


def certificates(kind):
    """The certificates that come with the key, the leaf first, as PEM texts."""
    if kind == "pkcs11":
        found = run(["openssl", "storeutl", "-certs", value("SIGN_CERTS")])
        chain = PEM_CERTIFICATE.findall(found.stdout)
        if not chain:
            stop("SIGN_CERTS", "holds no certificate (PEM or DER)")
        return chain
    password = f"file:{value('SIGN_PASSWORD_FILE')}" if value("SIGN_PASSWORD_FILE") else "pass:"
    chain = []
    for part in ("-clcerts", "-cacerts"):
        found = run(["openssl", "pkcs12", "-in", value("SIGN_PKCS12"), "-nokeys", part,
                     "-passin", password])
        if found.returncode != 0:
            if "mac verify failure" not in found.stderr and "invalid password" not in found.stderr:
                stop("SIGN_PKCS12", "is not a PKCS#12 file")
            if value("SIGN_PASSWORD_FILE"):
                stop("SIGN_PASSWORD_FILE", "is not the password of SIGN_PKCS12")
            stop("SIGN_PKCS12", "has a password: give it in a file, SIGN_PASSWORD_FILE")
        chain += PEM_CERTIFICATE.findall(found.stdout)
    if not chain:
        stop("SIGN_PKCS12", "holds no certificate")
    return chain


def inspect(certificate):
    """Subject, issuer, start and end (UTC) and the extended key usages of a certificate."""
    text = run(["openssl", "x509", "-noout", "-subject", "-issuer", "-startdate", "-enddate",
                "-ext", "extendedKeyUsage", "-nameopt", "utf8"], stdin=certificate).stdout
    field = dict(re.findall(r"^(subject|issuer|notBefore|notAfter)=\s*(.*)$", text, re.M))
    moment = lambda text: datetime.datetime.strptime(text, "%b %d %H:%M:%S %Y %Z").replace(
        tzinfo=datetime.timezone.utc)
    return (field["subject"], field["issuer"], moment(field["notBefore"]),
            moment(field["notAfter"]), "Code Signing" in text)


def signing_time():
    seconds = int(value("SOURCE_DATE_EPOCH") or datetime.datetime.now().timestamp())
    return seconds, datetime.datetime.fromtimestamp(seconds, datetime.timezone.utc)


def checked_chain(kind):
    """The certificates, checked for the signing time and for code signing, and the roots to
    verify against: SIGN_CA, else None for the chain's last certificate, which is a root."""
    chain = certificates(kind)
    name = "SIGN_PKCS12" if kind == "pkcs12" else "SIGN_CERTS"
    subject, _, start, end, code_signing = inspect(chain[0])
    _, when = signing_time()
    if not code_signing:
        stop(name, f"the certificate of \"{subject}\" is not for code signing (extended key usage)")
    if not start <= when <= end:
        state = "expired" if when > end else "not yet valid"
        stop(name, f"the certificate of \"{subject}\" is {state} at the signing time {when:%Y-%m-%d %H:%M:%S} UTC "
                   f"(valid {start:%Y-%m-%d} to {end:%Y-%m-%d})")
    if value("SIGN_CA"):
        return chain, value("SIGN_CA")
    last_subject, last_issuer, *_ = inspect(chain[-1])
    if last_subject != last_issuer:
        stop("SIGN_CA", f"is needed: the certificates given end at \"{last_subject}\", issued by "
                        f"\"{last_issuer}\", which is not among them")
    return chain, None


def version_options():
    found = re.search(r"osslsigncode (\d+)\.(\d+)", run([OSSLSIGNCODE, "--version"]).stdout)
    if not found or tuple(map(int, found.groups())) < MINIMUM_VERSION:
        raise Stop(f"osslsigncode {'.'.join(map(str, MINIMUM_VERSION))} or later is needed "
                   f"(found: {found.group(0) if found else 'none'})")
    shown = run([OSSLSIGNCODE, "verify", "--help"])
    return shown.stdout + shown.stderr


# What osslsigncode's complaints mean, in the order they are looked for.
REASONS = [
    ("key values mismatch", "SIGN_CERTS", "its certificate is not for this key (another public key)"),
    ("Wrong password", "SIGN_PASSWORD_FILE", "is not the password of SIGN_PKCS12"),
    ("PIN incorrect", "SIGN_PIN_FILE", "is not the token's PIN (it was tried once)"),
    ("Login failed", "SIGN_PIN_FILE", "the token refused the login (it was tried once)"),
    ("object not found", "SIGN_PKCS11_KEY", "the token holds no such key"),
    ("private key was not found", "SIGN_PKCS11_KEY", "the token holds no such key"),
    ("Unable to load", "SIGN_PKCS11_MODULE", "does not load"),
    # Before the server's answer is judged: whether there was one to judge.
    ("Name or service not known", "TIMESTAMP_URL", "cannot be reached: its host name does not resolve"),
    ("Temporary failure in name resolution", "TIMESTAMP_URL",
     "cannot be reached: its host name does not resolve"),
    ("Connection refused", "TIMESTAMP_URL", "cannot be reached: the connection was refused"),
    ("No route to host", "TIMESTAMP_URL", "cannot be reached: there is no route to it"),
    ("Network is unreachable", "TIMESTAMP_URL", "cannot be reached: the network is unreachable"),
    ("imestamp", "TIMESTAMP_URL", "answered with something that is not a timestamp"),
    ("TSA", "TIMESTAMP_URL", "answered with something that is not a timestamp"),
]


def sign(kind, program, signed, seconds):
    description = os.path.splitext(os.path.basename(program))[0]
    command = [OSSLSIGNCODE, "sign", "-h", "sha256", "-n", description, "-time", str(seconds)]
    if kind == "pkcs12":
        command += ["-pkcs12", value("SIGN_PKCS12")]
        secret = "SIGN_PASSWORD_FILE"
    else:
        command += ["-pkcs11module", value("SIGN_PKCS11_MODULE"), "-certs", value("SIGN_CERTS"),
                    "-key", value("SIGN_PKCS11_KEY")]
        secret = "SIGN_PIN_FILE"
    if value(secret):
        command += ["-readpass", value(secret)]
    # Signing itself takes a fraction of a second: the bound is the timestamp server's.
    bound = int(value("TIMESTAMP_TIMEOUT") or 30)
    if value("TIMESTAMP_URL"):
        command += ["-ts", value("TIMESTAMP_URL")]
    try:
        done = subprocess.run(command + ["-in", program, "-out", signed], capture_output=True,
                              text=True, stdin=subprocess.DEVNULL, timeout=bound, check=False)
    except subprocess.TimeoutExpired:
        stop("TIMESTAMP_URL", f"did not answer within {bound} s")
    if done.returncode == 0:
        return
    said = done.stdout + done.stderr
    for pattern, name, reason in REASONS:
        if pattern in said and (name != "TIMESTAMP_URL" or value("TIMESTAMP_URL")):
            stop(name, reason)
    raise Stop("osslsigncode could not sign: " + " / ".join(
        line for line in said.splitlines() if line and not line.startswith(("Engine", "Failed")))[:300])


def verify(signed, roots, seconds, verify_help, work):
    command = [OSSLSIGNCODE, "verify", "-in", signed, "-CAfile", roots]
    if value("TIMESTAMP_URL"):
        # The timestamp's own chain: a public timestamp service's root, or one of SIGN_CA's.
        tsa_roots = os.path.join(work, "tsa-roots.pem")
        with open(tsa_roots, "w", encoding="utf-8") as out:
            for source in (roots, SYSTEM_ROOTS):
                if os.path.exists(source):
                    with open(source, encoding="utf-8", errors="replace") as file:
                        out.write(file.read() + "\n")
        command += ["-TSA-CAfile", tsa_roots]
    else:
        command += ["-time", str(seconds)]
    if "-ignore-cdp" in verify_help:
        command += ["-ignore-cdp"]  # the build machine does not fetch revocation lists
    done = run(command)
    if done.returncode != 0 or "Signature verification: ok" not in done.stdout:
        lines = [line.strip() for line in (done.stdout + done.stderr).splitlines()
                 if "rror" in line or "ailed" in line]
        against = "SIGN_CA" if value("SIGN_CA") else "the root of the certificates given"
        raise Stop(f"the signed file does not verify against {against}: " + " / ".join(lines[:3]))


def check_file(signed, company, is_check):
    """The file checks of `make test`, on the signed file."""
    commands = [["bash", f"{ROOT}/tools/check-program-file.sh", signed],
                [sys.executable, f"{ROOT}/tools/check-xp-imports.py", signed]]
    if not is_check:
        commands.append([sys.executable, f"{ROOT}/tests/e2e/resource_audit.py", signed,
                         f"{ROOT}/resources", "--company", company])
    for command in commands:
        done = run(command)
        if done.returncode != 0:
            raise Stop(f"the signed file fails {os.path.basename(command[1])}: "
                       + (done.stderr or done.stdout).strip().splitlines()[-1])


def main():
    action = sys.argv[1:2]
    try:
        kind = mode()
        if kind is None:
            if action == ["sign"]:
                shutil.copyfile(sys.argv[2], sys.argv[3])
            else:
                print("sign: no signing values (SIGN_PKCS12 or SIGN_PKCS11_MODULE): the program is unsigned")
            return 0
        verify_help = version_options()
        chain, roots = checked_chain(kind)
        seconds, when = signing_time()
        source = "SOURCE_DATE_EPOCH" if value("SOURCE_DATE_EPOCH") else "now"
        if action == ["check"]:
            return 0
        program, signed, company = sys.argv[2:5]
        is_check = sys.argv[5:6] == ["check"]
        with tempfile.TemporaryDirectory() as work:
            if roots is None:
                roots = os.path.join(work, "root.pem")
                with open(roots, "w", encoding="utf-8") as file:
                    file.write(chain[-1])
            try:
                sign(kind, program, signed, seconds)
                verify(signed, roots, seconds, verify_help, work)
                check_file(signed, company, is_check)
            except BaseException:
                if os.path.exists(signed):
                    os.remove(signed)
                raise
        stamped = f", timestamped by {value('TIMESTAMP_URL')}" if value("TIMESTAMP_URL") else ""
        subject = inspect(chain[0])[0]
        print(f"sign: signed by \"{subject}\" (SHA-256), signing time {when:%Y-%m-%d %H:%M:%S} UTC "
              f"({source}){stamped}; verified")
        return 0
    except Stop as finding:
        print(f"sign: {finding}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
