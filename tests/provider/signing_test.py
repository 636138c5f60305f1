#!/usr/bin/env python3
"""A provider's signing, good and bad, on the program file, with no network:

    signing_test.py SIGN_PROGRAM PROGRAM WORK_DIR

A throwaway CA made with openssl (a good code-signing certificate, an expired one, one without
the code-signing usage, one for another key, a timestamp authority's), the key in a PKCS#12
file and on a SoftHSM2 token, and a timestamp authority of our own on the loopback address
(openssl ts behind a small HTTP server), which can also answer nonsense or nothing. Each row
signs PROGRAM with tools/sign-program.py: a good row must give a file that verifies, a bad one
must stop with the line that names the value and the reason, and leave no file.
"""
import http.server
import os
import shutil
import socket
import subprocess
import sys
import threading
import time

SIGN, PROGRAM, WORK = (os.path.abspath(argument) for argument in sys.argv[1:4])
shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(os.path.join(WORK, "tokens"))
os.chdir(WORK)
EXTENSIONS = """[signer]
basicConstraints=critical,CA:false
keyUsage=critical,digitalSignature
extendedKeyUsage=codeSigning
[plain]
basicConstraints=critical,CA:false
keyUsage=critical,digitalSignature
[tsa]
basicConstraints=critical,CA:false
keyUsage=critical,digitalSignature
extendedKeyUsage=critical,timeStamping
"""
TSA_CONFIG = """[tsa]
default_tsa = local
[local]
serial = tsa.serial
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256
ess_cert_id_alg = sha256
"""


def openssl(*arguments):
    subprocess.run(["openssl", *arguments], check=True, capture_output=True)


def write(name, text):
    with open(name, "w", encoding="utf-8") as file:
        file.write(text)
    return name


def certificate(name, key, extensions, days="365"):
    openssl("req", "-new", "-key", key, "-subj", f"/CN={name}", "-utf8", "-out", f"{name}.csr")
    openssl("x509", "-req", "-in", f"{name}.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
            "-set_serial", str(len(os.listdir("."))), "-days", days,
            "-extfile", "extensions.cnf", "-extensions", extensions, "-out", f"{name}.pem")
    return f"{name}.pem"


def chain(*names):
    text = "".join(open(name, encoding="utf-8").read() for name in names)
    return write("-".join(os.path.splitext(name)[0] for name in names) + ".chain", text)


write("extensions.cnf", EXTENSIONS)
write("tsa.cnf", TSA_CONFIG)
write("tsa.serial", "01\n")
openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
        "-subj", "/CN=Dialwright Test Root", "-days", "3650",
        "-addext", "basicConstraints=critical,CA:true", "-addext", "keyUsage=critical,keyCertSign")
for key in ("signer.key", "other.key", "tsa.key"):
    openssl("genpkey", "-algorithm", "RSA", "-pkeyopt", "rsa_keygen_bits:2048", "-out", key)
good = certificate("ООО Ромашка", "signer.key", "signer")
expired = certificate("Expired", "signer.key", "signer", days="-1")
plain = certificate("No code signing", "signer.key", "plain")
other = certificate("Another key", "other.key", "signer")
certificate("Timestamps", "tsa.key", "tsa")
write("password.txt", "пароль 1")
write("wrong.txt", "пароль 2")
write("pin.txt", "4711")
write("wrong-pin.txt", "1111")
openssl("pkcs12", "-export", "-inkey", "signer.key", "-in", good, "-certfile", "ca.pem",
        "-passout", "file:password.txt", "-out", "signer.p12")

# The token: SoftHSM2 in this folder, the signer's key imported onto it.
os.environ["SOFTHSM2_CONF"] = write("softhsm2.conf", f"directories.tokendir = {WORK}/tokens\n")
openssl("pkcs8", "-topk8", "-nocrypt", "-in", "signer.key", "-out", "signer.pk8")
for command in (["--init-token", "--free", "--label", "dialwright", "--pin", "4711", "--so-pin", "0000"],
                ["--import", "signer.pk8", "--token", "dialwright", "--label", "signer", "--id", "01",
                 "--pin", "4711"]):
    subprocess.run(["softhsm2-util", *command], check=True, capture_output=True)
MODULE = next(path for path in ("/usr/lib/softhsm/libsofthsm2.so",
                                "/usr/lib/x86_64-linux-gnu/softhsm/libsofthsm2.so") if os.path.exists(path))
TOKEN_KEY = "pkcs11:token=dialwright;object=signer;type=private"


class TimestampAuthority(http.server.BaseHTTPRequestHandler):
    """Answers a timestamp query with a token of the test CA's authority, or as the path says:
    /nonsense with text, /silent not at all."""

    def do_POST(self):  # noqa: N802 (the server's name for it)
        query = self.rfile.read(int(self.headers["Content-Length"]))
        if self.path == "/silent":
            time.sleep(6)
            return
        answer = b"not a timestamp"
        if self.path == "/":
            answer = subprocess.run(["openssl", "ts", "-reply", "-config", "tsa.cnf", "-queryfile", "/dev/stdin",
                                     "-signer", "Timestamps.pem", "-inkey", "tsa.key", "-chain", "ca.pem"],
                                    input=query, capture_output=True, check=True).stdout
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(answer)))
        self.end_headers()
        self.wfile.write(answer)

    def log_message(self, *arguments):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), TimestampAuthority)
threading.Thread(target=server.serve_forever, daemon=True).start()
TSA = f"http://127.0.0.1:{server.server_address[1]}"

# A port nobody listens on: bound, then let go.
with socket.socket() as probe:
    probe.bind(("127.0.0.1", 0))
    CLOSED_PORT = probe.getsockname()[1]

P12 = {"SIGN_PKCS12": "signer.p12", "SIGN_PASSWORD_FILE": "password.txt"}
P11 = {"SIGN_PKCS11_MODULE": MODULE, "SIGN_PKCS11_KEY": TOKEN_KEY, "SIGN_CERTS": chain(good, "ca.pem"),
       "SIGN_PIN_FILE": "pin.txt"}
ROWS = [
    ("a key in a file, the chain's own root", P12, None),
    ("a key on a token, SIGN_CA", {**P11, "SIGN_CERTS": good, "SIGN_CA": "ca.pem"}, None),
    ("a timestamp", {**P12, "TIMESTAMP_URL": TSA + "/"}, None),
    ("key file missing", {**P12, "SIGN_PKCS12": "missing.p12"}, "SIGN_PKCS12='missing.p12': cannot be read"),
    ("key file unreadable", {**P12, "SIGN_PKCS12": "tokens"}, "SIGN_PKCS12='tokens': cannot be read"),
    ("wrong password", {**P12, "SIGN_PASSWORD_FILE": "wrong.txt"}, "SIGN_PASSWORD_FILE='wrong.txt': is not the password"),
    ("password as a value", {**P12, "SIGN_PASSWORD": "x"}, "SIGN_PASSWORD: a password or PIN is read from a file"),
    ("wrong PIN", {**P11, "SIGN_PIN_FILE": "wrong-pin.txt"}, "SIGN_PIN_FILE='wrong-pin.txt': is not the token's PIN"),
    ("PIN in the key's URI", {**P11, "SIGN_PKCS11_KEY": TOKEN_KEY + ";pin-value=4711"}, "carries the PIN (pin-value=)"),
    ("certificate for another key", {**P11, "SIGN_CERTS": chain(other, "ca.pem")}, "its certificate is not for this key"),
    ("certificate expired", {**P11, "SIGN_CERTS": chain(expired, "ca.pem")}, "\"CN=Expired\" is expired at the signing time"),
    ("certificate not yet valid", {**P12, "SOURCE_DATE_EPOCH": "946684800"}, "is not yet valid at the signing time 2000-01-01"),
    ("no code-signing usage", {**P11, "SIGN_CERTS": chain(plain, "ca.pem")}, "\"CN=No code signing\" is not for code signing"),
    ("module that does not load", {**P11, "SIGN_PKCS11_MODULE": "pin.txt"}, "SIGN_PKCS11_MODULE='pin.txt': does not load"),
    ("key the token does not hold", {**P11, "SIGN_PKCS11_KEY": "pkcs11:token=dialwright;object=nobody"},
     "SIGN_PKCS11_KEY='pkcs11:token=dialwright;object=nobody': the token holds no such key"),
    ("no root to verify against", {**P11, "SIGN_CERTS": good}, "SIGN_CA: is needed"),
    ("timestamp server silent", {**P12, "TIMESTAMP_URL": TSA + "/silent", "TIMESTAMP_TIMEOUT": "2"},
     "did not answer within 2 s"),
    ("timestamp server talking nonsense", {**P12, "TIMESTAMP_URL": TSA + "/nonsense"},
     "answered with something that is not a timestamp"),
    ("timestamp server's port closed", {**P12, "TIMESTAMP_URL": f"http://127.0.0.1:{CLOSED_PORT}/"},
     f"TIMESTAMP_URL='http://127.0.0.1:{CLOSED_PORT}/': cannot be reached: the connection was refused"),
    ("timestamp server's name unknown", {**P12, "TIMESTAMP_URL": "http://timestamp.invalid/"},
     "TIMESTAMP_URL='http://timestamp.invalid/': cannot be reached: its host name does not resolve"),
]
SIGNING = [name for name in os.environ if name.startswith(("SIGN_", "TIMESTAMP_")) or name == "SOURCE_DATE_EPOCH"]


def sign(values, out):
    environment = {name: text for name, text in os.environ.items() if name not in SIGNING}
    return subprocess.run([sys.executable, SIGN, "sign", PROGRAM, out, "Dialwright"], env={**environment, **values},
                          capture_output=True, text=True, check=False)


failures = []
for what, values, expected in ROWS:
    out = os.path.join(WORK, "signed.exe")
    started = time.monotonic()
    result = sign(values, out)
    said = (result.stdout + result.stderr).strip()
    if expected is None:
        good_row = result.returncode == 0 and os.path.exists(out) and "verified" in said
    else:
        good_row = result.returncode == 1 and not os.path.exists(out) and expected in said \
            and len(said.splitlines()) == 1
    print(f"{'ok  ' if good_row else 'FAIL'} {what} ({time.monotonic() - started:.1f} s): {said}")
    if not good_row:
        failures.append(what)
    if os.path.exists(out):
        os.remove(out)

# The same values and a signing time of their own give the same file, byte for byte.
first, second = os.path.join(WORK, "first.exe"), os.path.join(WORK, "second.exe")
moment = str(int(time.time()))
for out in (first, second):
    sign({**P12, "SOURCE_DATE_EPOCH": moment}, out)
same = os.path.exists(first) and open(first, "rb").read() == open(second, "rb").read()
print(f"{'ok  ' if same else 'FAIL'} the same values twice give the same file")
if not same:
    failures.append("reproducible")
server.shutdown()
sys.exit(1 if failures else 0)
