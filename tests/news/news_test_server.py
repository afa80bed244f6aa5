#!/usr/bin/python3
"""Scripted local HTTP and HTTPS server for the news client's tests under Wine.

    news_test_server.py start DIR   make certificates, start the server in the background
    news_test_server.py stop DIR    stop it
    news_test_server.py serve DIR   run in the foreground (what start runs)
    news_test_server.py certificates DIR   only make the certificates (for other servers)

Every listener is bound to 127.0.0.1 on a free port; DIR/ports names them:
    http, https (trusted test authority, for localhost), https_unknown (unknown
    authority), https_wronghost (trusted authority, another host name) and silent
    (accepts connections and never answers).
DIR/ca.der is the test authority that the tests add to the Wine prefix's trusted roots.

The answer for a path is chosen by the path itself (see Handler.route). The root "/"
and the news path answer as the files DIR/root and DIR/news say, so that a test can
script the two fixed requests of the client. Every request is appended to
DIR/requests.log as "REQUEST method target", one "H name: value" line per header
and "END".

The server stops by itself after LIFETIME seconds or when DIR/stop appears, and every
loop that sends data is bounded.
"""
import gzip
import http.server
import os
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse
import zlib

LIFETIME = 1200
NEWS_PATH = "/APP/api/app-widget-box.php"
CHUNK = 64 * 1024


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    timeout = 30  # idle keep-alive connections end

    def log_message(self, *args):
        pass

    def do_HEAD(self):
        self.serve()

    def do_GET(self):
        self.serve()

    def serve(self):
        self.server.owner.log_request(self)
        url = urllib.parse.urlsplit(self.path)
        path = url.path
        query = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        if path == "/":
            path, query = self.server.owner.scripted("root", "status/200")
        elif path == NEWS_PATH:
            path, query = self.server.owner.scripted("news", "body")
        self.route(path.lstrip("/").split("/"), query)

    def arg(self, query, name, default=""):
        return query.get(name, [default])[0]

    def route(self, parts, query):
        action = parts[0]
        if action == "status":
            code = int(parts[1])
            extra = [("WWW-Authenticate", "Basic realm=\"t\"")] if code == 401 else []
            if code == 407:
                extra = [("Proxy-Authenticate", "Basic realm=\"t\"")]
            self.answer(code, b"<p>status %d</p>" % code, extra)
        elif action == "chain":
            left, code = int(parts[1]), int(parts[2])
            if left == 0:
                self.answer(200, b"<p>end of chain</p>")
            else:
                self.answer(code, b"", [("Location", "/chain/%d/%d" % (left - 1, code))])
        elif action == "redirect":
            headers = [("Location", self.arg(query, "to"))] if "to" in query else []
            headers += [("Set-Cookie", c) for c in query.get("cookie", [])]
            self.answer(int(self.arg(query, "code", "302")), b"", headers)
        elif action == "body":
            self.body(query)
        elif action == "cookies":
            count = int(self.arg(query, "count", "1000"))
            self.answer(200, b"", [("Set-Cookie", "c%d=%s" % (i, "v" * 50)) for i in range(count)])
        elif action == "huge":
            self.huge(int(self.arg(query, "size")), self.arg(query, "ce"))
        elif action == "endless":
            self.stream(b"x" * CHUNK, delay=0)
        elif action == "trickle":
            self.stream(b"<", delay=0.05)
        elif action == "garbage":
            self.wfile.write(b"\x00\xffNOT HTTP AT ALL\r\n\r\n" * 100)
            self.close_connection = True
        elif action == "badhead":
            self.wfile.write(b"HTTP/1.1 2x0 Weird\r\nContent-Length: -5\r\n:::\r\n\r\n")
            self.close_connection = True
        else:
            self.answer(404, b"<p>no such route</p>")

    def answer(self, code, body, headers=()):
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def body(self, query):
        """data (hex) with Content-Type ct; ce names Content-Encoding, and the data
        are compressed to it unless raw is given."""
        data = bytes.fromhex(self.arg(query, "data"))
        ce = self.arg(query, "ce")
        if ce and "raw" not in query:
            data = gzip.compress(data) if ce == "gzip" else zlib.compress(data)
        headers = [("Content-Type", self.arg(query, "ct"))] if "ct" in query else []
        if ce:
            headers.append(("Content-Encoding", ce))
        self.answer(int(self.arg(query, "status", "200")), data, headers)

    def huge(self, size, ce):
        """size bytes of "a", sent as they are or as a gzip stream made on the fly."""
        self.send_response(200)
        if ce:
            self.send_header("Content-Encoding", ce)
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        if self.command == "HEAD":
            return
        compressor = zlib.compressobj(9, zlib.DEFLATED, 31) if ce == "gzip" else None
        left = size
        try:
            while left > 0:
                piece = b"a" * min(left, CHUNK)
                left -= len(piece)
                self.wfile.write(compressor.compress(piece) if compressor else piece)
            if compressor:
                self.wfile.write(compressor.flush())
        except OSError:
            pass

    def stream(self, piece, delay):
        """Sends piece after piece, without a length, until the client goes away or
        LIFETIME ends."""
        self.send_response(200)
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        end = time.monotonic() + LIFETIME
        try:
            while time.monotonic() < end and self.command != "HEAD":
                self.wfile.write(piece)
                self.wfile.flush()
                if delay:
                    time.sleep(delay)
        except OSError:
            pass


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # failed handshakes and dropped connections are what some tests make


class Owner:
    def __init__(self, folder):
        self.folder = folder
        self.lock = threading.Lock()

    def scripted(self, name, default):
        try:
            with open(os.path.join(self.folder, name)) as f:
                text = f.read().strip()
        except OSError:
            text = default
        url = urllib.parse.urlsplit("/" + text)
        return url.path, urllib.parse.parse_qs(url.query, keep_blank_values=True)

    def log_request(self, handler):
        lines = ["REQUEST %s %s" % (handler.command, handler.path)]
        lines += ["H %s: %s" % (name, value) for name, value in handler.headers.items()]
        lines.append("END")
        with self.lock, open(os.path.join(self.folder, "requests.log"), "a") as log:
            log.write("\n".join(lines) + "\n")


def make_server(owner, context=None):
    server = Server(("127.0.0.1", 0), Handler)
    server.owner = owner
    if context:
        server.socket = context.wrap_socket(
            server.socket, server_side=True, do_handshake_on_connect=False)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


def silent_listener():
    """Accepts connections, reads nothing, answers nothing."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    held = []

    def accept():
        while True:
            connection, _ = listener.accept()
            held.append(connection)

    threading.Thread(target=accept, daemon=True).start()
    return listener.getsockname()[1]


def openssl(*args):
    subprocess.run(["openssl", *args], check=True, capture_output=True)


def make_authority(folder, name):
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
            "-keyout", f"{folder}/{name}.key", "-out", f"{folder}/{name}.pem",
            "-subj", f"/CN=Ostrafel {name} test authority",
            "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign,cRLSign")


def make_certificate(folder, name, authority, alt_names):
    with open(f"{folder}/{name}.ext", "w") as ext:
        ext.write(f"subjectAltName={alt_names}\nbasicConstraints=CA:FALSE\n"
                  "keyUsage=critical,digitalSignature,keyEncipherment\n"
                  "extendedKeyUsage=serverAuth\n")
    openssl("req", "-new", "-newkey", "rsa:2048", "-nodes", "-keyout", f"{folder}/{name}.key",
            "-out", f"{folder}/{name}.csr", "-subj", "/CN=" + alt_names.split(",")[0][4:])
    openssl("x509", "-req", "-in", f"{folder}/{name}.csr", "-days", "2",
            "-CA", f"{folder}/{authority}.pem", "-CAkey", f"{folder}/{authority}.key",
            "-CAcreateserial", "-extfile", f"{folder}/{name}.ext", "-out", f"{folder}/{name}.pem")


def make_certificates(folder):
    make_authority(folder, "ca")
    make_authority(folder, "unknown-ca")
    make_certificate(folder, "good", "ca", "DNS:localhost,IP:127.0.0.1")
    make_certificate(folder, "unknown", "unknown-ca", "DNS:localhost,IP:127.0.0.1")
    make_certificate(folder, "wronghost", "ca", "DNS:other.example")
    openssl("x509", "-in", f"{folder}/ca.pem", "-outform", "der", "-out", f"{folder}/ca.der")


def tls_context(folder, name):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(f"{folder}/{name}.pem", f"{folder}/{name}.key")
    return context


def serve(folder):
    owner = Owner(folder)
    ports = {
        "http": make_server(owner),
        "https": make_server(owner, tls_context(folder, "good")),
        "https_unknown": make_server(owner, tls_context(folder, "unknown")),
        "https_wronghost": make_server(owner, tls_context(folder, "wronghost")),
        "silent": silent_listener(),
    }
    with open(os.path.join(folder, "ports.tmp"), "w") as f:
        f.write("".join(f"{name} {port}\n" for name, port in ports.items()))
    os.replace(os.path.join(folder, "ports.tmp"), os.path.join(folder, "ports"))
    end = time.monotonic() + LIFETIME
    while time.monotonic() < end and not os.path.exists(os.path.join(folder, "stop")):
        time.sleep(0.2)


def start(folder):
    stop(folder)
    os.makedirs(folder, exist_ok=True)
    for name in ("ports", "stop", "root", "news", "requests.log"):
        if os.path.exists(os.path.join(folder, name)):
            os.remove(os.path.join(folder, name))
    make_certificates(folder)
    with open(os.path.join(folder, "server.out"), "w") as out:
        process = subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", folder],
                                   stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                                   start_new_session=True)
    with open(os.path.join(folder, "server.pid"), "w") as f:
        f.write(str(process.pid))
    for _ in range(100):
        if os.path.exists(os.path.join(folder, "ports")):
            return
        if process.poll() is not None:
            break
        time.sleep(0.1)
    sys.exit("news test server did not start; see server.out")


def certificates(folder):
    os.makedirs(folder, exist_ok=True)
    make_certificates(folder)


def stop(folder):
    pid_file = os.path.join(folder, "server.pid")
    if not os.path.exists(pid_file):
        return
    with open(pid_file) as f:
        pid = int(f.read())
    os.remove(pid_file)
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass


def main():
    action, folder = sys.argv[1], os.path.abspath(sys.argv[2])
    {"start": start, "stop": stop, "serve": serve, "certificates": certificates}[action](folder)


if __name__ == "__main__":
    main()
