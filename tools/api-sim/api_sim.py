#!/usr/bin/python3
"""Local stand-in for the vendor web API (HTTPS on loopback).

Serves GET /connect (act=wizardsetup, time, buy), GET /upd/double.xml, the update
installer under /download/, and a plain-HTTP connectivity probe.  The catalogue comes
from a JSON fixture; faults and the request log are driven from the command line or
from the /_control endpoint.  Standard library only; see README.md.
"""

import argparse
import base64
import json
import os
import random
import select
import shutil
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from xml.sax.saxutils import escape, quoteattr

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_FIXTURE = os.path.join(HERE, "fixtures", "default.json")

# Order in which the elements of a wizardsetup answer are written.  The login lines
# come before the locations so that each location finds its password (the client
# looks the password up when it reads the `vpn` element).
DEFAULT_ORDER = ["ver", "auth", "error", "file", "cert", "key", "config", "vpn", "upgrade"]

FAULT_MODES = ("close", "malformed", "empty", "hang", "truncated")
HANG_LIMIT_S = 300.0
MALFORMED_BODY = b'<?xml version="1.0" encoding="UTF-8"?>\n<data><ver type="ZnVsbA==">dHJ1ZQ==</ver><auth>dHJ1ZQ==</aut'


def b64(value):
    """Base64 (standard alphabet) of the UTF-8 text of a fixture value."""
    if value is None:
        value = ""
    if isinstance(value, bool):
        value = "1" if value else "0"
    if isinstance(value, (list, tuple)):
        value = ",".join(str(v) for v in value) if value else "0"
    if not isinstance(value, bytes):
        value = str(value).encode("utf-8")
    return base64.b64encode(value).decode("ascii")


def parse_query(raw):
    """Query items in order.  Qt's QUrlQuery leaves '+' alone and writes a space as %20,
    so '+' is a literal plus here (no form decoding)."""
    items = []
    if not raw:
        return items
    for part in raw.split("&"):
        if part == "":
            continue
        key, sep, value = part.partition("=")
        items.append([urllib.parse.unquote(key), urllib.parse.unquote(value)])
    return items


def is_fault_mode(mode):
    return mode in FAULT_MODES or (isinstance(mode, str) and mode.isdigit() and 100 <= int(mode) <= 599)


def version_number(text):
    parts = text.split(".")
    nums = [int(p) if p.isdigit() else 0 for p in parts]
    if len(nums) == 1:
        return nums[0]
    n = nums[0] * 100000 + nums[1] * 1000
    if len(nums) >= 3:
        n += nums[2]
    return n


# --------------------------------------------------------------------------- answers

def vpn_element(loc):
    attrs = [("name", loc.get("id", "")), ("flag", loc.get("flag", "")), ("ip", loc.get("ip", "")),
             ("user", loc.get("user", "")), ("tcp", loc.get("tcp", [])), ("udp", loc.get("udp", [])),
             ("ssl", loc.get("ssl", 0)), ("group", loc.get("group", 1)), ("sni", loc.get("sni", "")),
             ("brume", loc.get("brume", ""))]
    if "dns" in loc:
        attrs.append(("dns", loc["dns"]))
    text = " ".join("%s=%s" % (k, quoteattr(b64(v))) for k, v in attrs)
    return "<vpn %s/>" % text


def xml_doc(children):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<data>\n%s</data>\n'
            % "".join(c + "\n" for c in children)).encode("utf-8")


def substitute(template, base, query):
    values = dict(query)
    out = str(template)
    out = out.replace("{base}", base)
    for key in ("login", "loginvpn"):
        out = out.replace("{%s}" % key, values.get(key, ""))
    return out


def find_account(fixture, login, password):
    for acc in fixture.get("accounts", []):
        if acc.get("login") == login and acc.get("password") == password:
            return acc
    return None


def wizardsetup_answer(fixture, query, base):
    q = dict(query)
    acc = find_account(fixture, q.get("login", ""), q.get("pass", ""))
    kind = acc.get("kind", "full") if acc else "wrong"
    if kind == "empty":
        return b""
    min_ver = fixture.get("min_version")
    outdated = kind == "outdated" or (min_ver and version_number(q.get("ver", "")) < version_number(min_ver))

    logins = fixture.get("vpn_logins", [])
    if acc and acc.get("logins") is not None:
        wanted = set(acc["logins"])
        logins = [lg for lg in logins if lg["login"] in wanted]
    names = {lg["login"] for lg in logins}
    locations = [loc for loc in fixture.get("locations", []) if loc.get("user") in names]

    upd = fixture.get("update") or {}
    parts = {
        "ver": ['<ver type="%s">%s</ver>' % (b64("lite" if kind == "lite" else "full"),
                                             b64("false" if outdated else "true"))],
        "auth": ["<auth>%s</auth>" % b64("false" if kind == "wrong" else "true")],
        "error": [],
        "file": ['<file user="%s" pass="%s" exp="%s"/>' % (b64(lg["login"]), b64(lg.get("password", "")),
                                                          b64(lg.get("exp", 0))) for lg in logins],
        "cert": ['<cert user="%s">%s</cert>' % (b64(lg["login"]), b64(lg.get("cert", ""))) for lg in logins],
        "key": ['<key user="%s">%s</key>' % (b64(lg["login"]), b64(lg.get("key", ""))) for lg in logins],
        "config": ["<config>%s</config>" % b64(fixture.get("config", ""))] if fixture.get("config") else [],
        "vpn": [vpn_element(loc) for loc in locations],
        "upgrade": [],
    }
    if kind == "nosub":
        parts["error"] = ["<error>%s</error>" % b64("nosub")]
    elif kind == "error":
        parts["error"] = ["<error>%s</error>" % b64(acc.get("error", "server error"))]
    if upd and (acc is None or acc.get("upgrade", True)):
        children = []
        if upd.get("version") is not None:
            children.append("<ver>%s</ver>" % b64(upd["version"]))
        if upd.get("link") is not None:
            children.append("<link>%s</link>" % b64(substitute(upd["link"], base, query)))
        parts["upgrade"] = ["<upgrade>%s</upgrade>" % "".join(children)]
    if kind == "wrong" and acc is None:
        # Unknown credentials: nothing of the catalogue is sent.
        for name in ("file", "cert", "key", "config", "vpn"):
            parts[name] = []

    order = (acc or {}).get("order") or DEFAULT_ORDER
    children = []
    for name in order:
        children.extend(parts.get(name, []))
    return xml_doc(children)


def time_answer(fixture):
    tz = fixture.get("timezone")
    return xml_doc([] if tz is None else ["<timezone>%s</timezone>" % b64(tz)])


def buy_answer(fixture, query, base):
    link = fixture.get("buy_link")
    return xml_doc([] if not link else ["<link>%s</link>" % b64(substitute(link, base, query))])


def double_answer(fixture):
    rows = ['<p p="%s">%s</p>' % (escape(str(ms)), escape(str(loc_id)))
            for loc_id, ms in (fixture.get("double") or {}).items()]
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<double>\n%s</double>\n'
            % "".join(r + "\n" for r in rows)).encode("utf-8")


def installer_bytes(size):
    pattern = bytes(range(251))
    reps = size // len(pattern) + 1
    return (pattern * reps)[:size]


# --------------------------------------------------------------------------- state

class State:
    """Everything the handlers share: fixture, faults, request log."""

    def __init__(self, fixture_path, log_path):
        self.lock = threading.Lock()
        self.fixture_path = fixture_path
        self.fixture = load_fixture(fixture_path)
        self.log_path = log_path
        self.log_file = open(log_path, "a", encoding="utf-8") if log_path else None
        self.requests = []
        self.reset_faults()

    def reset_faults(self):
        self.delay = 0.0
        self.fault = None
        self.fail_first = 0
        self.fail_mode = "500"
        self.match = ""
        self.chunk_delay = 0.0

    def snapshot(self):
        return {"delay": self.delay, "fault": self.fault, "fail_first": self.fail_first,
                "fail_mode": self.fail_mode, "match": self.match, "chunk_delay": self.chunk_delay,
                "requests": len(self.requests), "fixture": self.fixture_path,
                "timezone": self.fixture.get("timezone"), "buy_link": self.fixture.get("buy_link"),
                "update": self.fixture.get("update")}

    def record(self, scheme, method, path, raw_query):
        """Logs the request and decides its fault; returns (seq, fault, delay)."""
        target = path + ("?" + raw_query if raw_query else "")
        with self.lock:
            applies = self.match in target
            fault = None
            if applies and self.fail_first > 0:
                self.fail_first -= 1
                fault = self.fail_mode
            elif applies and self.fault:
                fault = self.fault
            seq = len(self.requests) + 1
            entry = {"seq": seq, "time": round(time.time(), 3), "scheme": scheme, "method": method,
                     "path": path, "raw_query": raw_query, "query": parse_query(raw_query), "fault": fault}
            self.requests.append(entry)
            if self.log_file:
                self.log_file.write(json.dumps(entry) + "\n")
                self.log_file.flush()
            return seq, fault, (self.delay if applies else 0.0)


def load_fixture(path):
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    if not isinstance(data, dict):
        raise ValueError("fixture %s: top level must be an object" % path)
    return data


# --------------------------------------------------------------------------- HTTP

class Handler(BaseHTTPRequestHandler):
    server_version = "ApiSim/1.0"
    protocol_version = "HTTP/1.0"  # one request per connection: faults never hit a reused one

    def log_message(self, fmt, *args):
        if self.server.verbose:
            sys.stderr.write("api-sim: " + (fmt % args) + "\n")

    @property
    def state(self):
        return self.server.state

    def send_body(self, body, status=200, ctype="application/xml; charset=utf-8"):
        self.send_response(status)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command == "HEAD":
            return
        if getattr(self, "truncate", False):
            # The whole length is promised, half the body arrives, then the connection ends.
            self.wfile.write(body[:len(body) // 2])
            self.wfile.flush()
            self.close_now()
            return
        self.wfile.write(body)

    def send_json(self, obj, status=200):
        self.send_body(json.dumps(obj, indent=1).encode("utf-8"), status, "application/json")

    def base_url(self):
        host = self.headers.get("Host") or "127.0.0.1:%d" % self.server.server_address[1]
        return "%s://%s" % (self.server.scheme, host)

    def do_POST(self):
        path, _, _ = self.path.partition("?")
        if path != "/_fixture":
            self.send_body(b"", 404)
            return
        length = int(self.headers.get("Content-Length") or 0)
        try:
            data = json.loads(self.rfile.read(length).decode("utf-8"))
            if not isinstance(data, dict):
                raise ValueError("top level must be an object")
        except ValueError as e:
            self.send_json({"error": str(e)}, 400)
            return
        with self.state.lock:
            self.state.fixture = data
            self.state.fixture_path = "(posted)"
        self.send_json({"ok": True})

    def do_GET(self):
        path, _, raw_query = self.path.partition("?")
        if path == "/_control":
            self.control(raw_query)
            return
        if path == "/_requests":
            with self.state.lock:
                out = list(self.state.requests)
                if "clear=1" in raw_query.split("&"):
                    self.state.requests = []
            self.send_json(out)
            return
        if path == "/_fixture":
            with self.state.lock:
                self.send_json(self.state.fixture)
            return

        _, fault, delay = self.state.record(self.server.scheme, self.command, path, raw_query)
        if delay > 0:
            time.sleep(delay)
        if fault == "truncated":
            self.truncate = True
        elif fault:
            self.apply_fault(fault)
            return
        self.answer(path, raw_query)

    def apply_fault(self, fault):
        if fault == "close":
            self.close_now()
        elif fault == "hang":
            self.hang()
        elif fault == "empty":
            self.send_body(b"")
        elif fault == "malformed":
            self.send_body(MALFORMED_BODY)
        else:
            self.send_body(b"", int(fault), "text/plain")

    def close_now(self):
        self.close_connection = True
        try:
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    def hang(self):
        """Never answer; return when the client gives up or after HANG_LIMIT_S."""
        self.close_connection = True
        sock = self.connection
        end = time.monotonic() + HANG_LIMIT_S
        while time.monotonic() < end and not self.server.stopping.is_set():
            ready, _, _ = select.select([sock], [], [], 0.2)
            if ready:
                try:
                    if not sock.recv(4096):
                        return
                except (OSError, ssl.SSLError):
                    return
        self.close_now()

    def answer(self, path, raw_query):
        query = parse_query(raw_query)
        with self.state.lock:
            fixture = self.state.fixture
            chunk_delay = self.state.chunk_delay
        base = self.base_url()
        if path == "/connect":
            act = dict(query).get("act", "")
            if act == "wizardsetup":
                self.send_body(wizardsetup_answer(fixture, query, base))
            elif act == "time":
                self.send_body(time_answer(fixture))
            elif act == "buy":
                self.send_body(buy_answer(fixture, query, base))
            else:
                self.send_body(b"", 400, "text/plain")
        elif path == "/upd/double.xml":
            self.send_body(double_answer(fixture))
        elif path.startswith("/download/"):
            size = int((fixture.get("update") or {}).get("installer_size", 65536))
            self.send_download(installer_bytes(size), chunk_delay)
        elif path in ("/", "/probe"):
            self.send_body(b"<html><body>ok</body></html>\n", 200, "text/html")
        else:
            self.send_body(b"", 404, "text/plain")

    def send_download(self, body, chunk_delay):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        step = 16384
        try:
            for i in range(0, len(body), step):
                self.wfile.write(body[i:i + step])
                self.wfile.flush()
                if chunk_delay > 0:
                    time.sleep(chunk_delay)
        except OSError:
            pass

    def control(self, raw_query):
        st = self.state
        errors = []
        with st.lock:
            for key, value in parse_query(raw_query):
                try:
                    if key == "reset":
                        st.reset_faults()
                        st.requests = []
                        if st.fixture_path != "(posted)":
                            st.fixture = load_fixture(st.fixture_path)
                    elif key == "clear_log":
                        st.requests = []
                    elif key == "delay":
                        st.delay = float(value)
                    elif key == "chunk_delay":
                        st.chunk_delay = float(value)
                    elif key == "fault":
                        if value in ("", "none"):
                            st.fault = None
                        elif is_fault_mode(value):
                            st.fault = value
                        else:
                            raise ValueError("unknown fault %r" % value)
                    elif key == "fail_first":
                        st.fail_first = int(value)
                    elif key == "fail_mode":
                        if not is_fault_mode(value):
                            raise ValueError("unknown fault %r" % value)
                        st.fail_mode = value
                    elif key == "match":
                        st.match = value
                    elif key == "fixture":
                        st.fixture = load_fixture(value)
                        st.fixture_path = value
                    elif key in ("timezone", "buy_link"):
                        st.fixture[key] = value if value != "" else None
                    elif key in ("update_version", "update_link", "installer_size"):
                        upd = dict(st.fixture.get("update") or {})
                        field = key[len("update_"):] if key.startswith("update_") else key
                        upd[field] = (int(value) if field == "installer_size"
                                      else (value if value != "" else None))
                        st.fixture["update"] = upd
                    else:
                        raise ValueError("unknown control key %r" % key)
                except (ValueError, OSError) as e:
                    errors.append(str(e))
            snap = st.snapshot()
        if errors:
            snap["errors"] = errors
        self.send_json(snap, 400 if errors else 200)


class SimServer(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, addr, state, scheme, ssl_context=None, verbose=False):
        super().__init__(addr, Handler)
        self.state = state
        self.scheme = scheme
        self.ssl_context = ssl_context
        self.verbose = verbose
        self.stopping = threading.Event()

    def finish_request(self, request, client_address):
        # The TLS handshake runs in the connection's own thread, so a client that
        # refuses the certificate never holds up the accept loop.
        if self.ssl_context is not None:
            try:
                request = self.ssl_context.wrap_socket(request, server_side=True)
            except (ssl.SSLError, OSError) as e:
                if self.verbose:
                    sys.stderr.write("api-sim: TLS handshake failed: %s\n" % e)
                return
        try:
            super().finish_request(request, client_address)
        finally:
            if request is not None and self.ssl_context is not None:
                try:
                    request.close()
                except OSError:
                    pass

    def handle_error(self, request, client_address):
        if self.verbose:
            super().handle_error(request, client_address)


# --------------------------------------------------------------------------- CA

def make_ca(directory):
    """CA plus a server certificate for 127.0.0.1 / localhost, made with openssl.
    Writes ca.pem, ca.key, server.pem, server.key into directory."""
    openssl = shutil.which("openssl") or "/usr/bin/openssl"
    os.makedirs(directory, exist_ok=True)
    p = lambda name: os.path.join(directory, name)
    ec = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]

    def run(args):
        subprocess.run([openssl] + args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    run(["req", "-x509"] + ec + ["-keyout", p("ca.key"), "-out", p("ca.pem"), "-days", "3650",
         "-subj", "/CN=Quarnel Test CA",
         "-addext", "basicConstraints=critical,CA:TRUE",
         "-addext", "keyUsage=critical,keyCertSign,cRLSign"])
    with tempfile.TemporaryDirectory() as tmp:
        csr = os.path.join(tmp, "server.csr")
        ext = os.path.join(tmp, "server.ext")
        with open(ext, "w") as f:
            f.write("basicConstraints=CA:FALSE\n"
                    "keyUsage=critical,digitalSignature,keyEncipherment\n"
                    "extendedKeyUsage=serverAuth\n"
                    "subjectAltName=IP:127.0.0.1,DNS:localhost\n")
        run(["req"] + ec + ["-keyout", p("server.key"), "-out", csr, "-subj", "/CN=localhost"])
        run(["x509", "-req", "-in", csr, "-CA", p("ca.pem"), "-CAkey", p("ca.key"),
             "-set_serial", str(random.randrange(1, 2 ** 62)), "-days", "825",
             "-extfile", ext, "-out", p("server.pem")])
    for name in ("ca.key", "server.key"):
        os.chmod(p(name), 0o600)
    return p("ca.pem"), p("server.pem"), p("server.key")


# --------------------------------------------------------------------------- generator

def fake_pem(label, seed, lines=6):
    rnd = random.Random(seed)
    body = "\n".join(base64.b64encode(bytes(rnd.randrange(256) for _ in range(48))).decode("ascii")
                     for _ in range(lines))
    return "-----BEGIN %s-----\n%s\n-----END %s-----\n" % (label, body, label)


CONFIG_TEXT = ("client\ndev tun\nnobind\npersist-key\npersist-tun\ncipher AES-256-GCM\n"
               "auth SHA256\nverb 3\nremote-cert-tls server\n"
               "<ca>\n" + fake_pem("CERTIFICATE", "ca") + "</ca>\n")

FLAGS = ["de", "nl", "fr", "gb", "us", "ca", "se", "ch", "jp", "sg", "au", "es", "it", "pl", "ru"]


def generate_fixture(n_locations, n_logins, seed=1):
    rnd = random.Random(seed)
    logins = []
    for j in range(n_logins):
        name = "q%05d" % (10001 + j)
        logins.append({"login": name, "password": "pw-%s" % name, "exp": 1893456000 + j * 86400,
                       "cert": fake_pem("CERTIFICATE", "c%d" % j),
                       "key": fake_pem("PRIVATE KEY", "k%d" % j, 3)})
    locations = []
    double = {}
    for i in range(n_locations):
        flag = FLAGS[i % len(FLAGS)]
        group = 2 if i % 10 == 9 else 1
        loc_id = "%s-%s %d" % (flag.upper(), FLAGS[(i + 3) % len(FLAGS)].upper(), i) if group == 2 \
            else "%s %d" % (flag.upper(), i)
        n = i + 2
        locations.append({
            "id": loc_id, "flag": flag, "ip": "127.%d.%d.%d" % ((n >> 16) & 255, (n >> 8) & 255, n & 255),
            "user": logins[i % n_logins]["login"] if n_logins else "",
            "tcp": [443, 1194] if i % 3 else [443], "udp": [1194, 53] if i % 4 else [],
            "ssl": 8443, "group": group, "sni": "cdn%d.example.test" % (i % 7),
            "brume": "vless://%08x@127.0.0.1:8443?security=reality&sni=cdn.example.test#%d"
                     % (rnd.randrange(2 ** 32), i),
        })
        if group == 2:
            double[loc_id] = 20 + rnd.randrange(60)
    return {
        "accounts": [{"login": "user@example.test", "password": "secret", "kind": "full"}],
        "vpn_logins": logins,
        "locations": locations,
        "config": CONFIG_TEXT,
        "update": {"version": "3.7.0", "link": "{base}/download/quarnel_update.exe", "installer_size": 65536},
        "timezone": "Europe/Berlin",
        "buy_link": "https://shop.example.test/buy?login={loginvpn}",
        "double": double,
    }


# --------------------------------------------------------------------------- main

def main(argv=None):
    ap = argparse.ArgumentParser(description="Local simulator of the vendor web API.")
    ap.add_argument("--host", default="127.0.0.1", help="listen address (loopback; default 127.0.0.1)")
    ap.add_argument("--port", type=int, default=0, help="HTTPS port, 0 = any free one (default)")
    ap.add_argument("--cert", help="server certificate (PEM)")
    ap.add_argument("--key", help="server private key (PEM)")
    ap.add_argument("--tls-dir", help="use DIR/server.pem and DIR/server.key, making the CA there first if missing")
    ap.add_argument("--plain", action="store_true", help="serve the main port as plain HTTP (no TLS)")
    ap.add_argument("--http-port", type=int, help="also serve plain HTTP (probe and every route) on this port")
    ap.add_argument("--fixture", default=DEFAULT_FIXTURE, help="catalogue fixture (JSON)")
    ap.add_argument("--log", help="append one JSON line per request to this file")
    ap.add_argument("--delay", type=float, default=0.0, help="seconds to wait before each answer")
    ap.add_argument("--fault", help="fault for every request: close|hang|malformed|empty|<HTTP status>")
    ap.add_argument("--fail-first", type=int, default=0, help="fail the first N requests")
    ap.add_argument("--fail-mode", default="500", help="fault used by --fail-first (default 500)")
    ap.add_argument("--match", default="", help="faults and delay apply only to requests whose path?query contains this")
    ap.add_argument("--verbose", action="store_true")
    ap.add_argument("--make-ca", metavar="DIR", help="write ca.pem/ca.key/server.pem/server.key into DIR and exit")
    ap.add_argument("--generate", nargs=2, type=int, metavar=("N", "M"),
                    help="write a fixture with N locations and M logins to --out (or stdout) and exit")
    ap.add_argument("--out", help="output file of --generate")
    ap.add_argument("--seed", type=int, default=1)
    args = ap.parse_args(argv)

    if args.make_ca:
        for path in make_ca(args.make_ca):
            print(path)
        return 0
    if args.generate:
        text = json.dumps(generate_fixture(args.generate[0], args.generate[1], args.seed), indent=1)
        if args.out:
            with open(args.out, "w", encoding="utf-8") as f:
                f.write(text + "\n")
        else:
            print(text)
        return 0

    for mode in filter(None, [args.fault, args.fail_mode]):
        if not is_fault_mode(mode):
            ap.error("unknown fault %r" % mode)

    ctx = None
    if not args.plain:
        cert, key = args.cert, args.key
        if args.tls_dir:
            cert = os.path.join(args.tls_dir, "server.pem")
            key = os.path.join(args.tls_dir, "server.key")
            if not (os.path.exists(cert) and os.path.exists(key)):
                make_ca(args.tls_dir)
        if not cert or not key:
            ap.error("give --cert and --key, --tls-dir, or --plain")
        ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        ctx.minimum_version = ssl.TLSVersion.TLSv1_2
        ctx.load_cert_chain(cert, key)

    state = State(args.fixture, args.log)
    state.delay, state.fault = args.delay, args.fault
    state.fail_first, state.fail_mode, state.match = args.fail_first, args.fail_mode, args.match

    servers = [SimServer((args.host, args.port), state, "http" if args.plain else "https", ctx, args.verbose)]
    print("PORT %d" % servers[0].server_address[1])
    if args.http_port is not None:
        servers.append(SimServer((args.host, args.http_port), state, "http", None, args.verbose))
        print("HTTP_PORT %d" % servers[1].server_address[1])
    sys.stdout.flush()

    threads = [threading.Thread(target=s.serve_forever, daemon=True) for s in servers]
    for t in threads:
        t.start()
    try:
        while any(t.is_alive() for t in threads):
            time.sleep(0.5)
    except KeyboardInterrupt:
        pass
    finally:
        for s in servers:
            s.stopping.set()
            s.shutdown()
            s.server_close()
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except BrokenPipeError:
        sys.exit(0)
