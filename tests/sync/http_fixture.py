#!/usr/bin/python3
"""Awkward answers for the HTTP transport's tests, which Radicale cannot give.

    http_fixture.py <dir> <port> <silent-port> <tls-port>

On 127.0.0.1:<port> and 127.0.0.2:<port> (two origins):
  /loop          302 to itself, forever
  /big           2 MB with its Content-Length
  /stream        2 MB without a length (the end of the connection ends it)
  /slow          the answer after 3 s
  /moved         308 to /target       /found  302 to /target     /see-other  303 to /target
  /other-origin  307 to the same path /target on the other address
  /deep/er/down  301 to ../../target
  /target        echoes "METHOD auth=yes|no body=N"
<silent-port>: a listener whose queue is full, so a connection attempt hangs.
<tls-port>: HTTPS with a self-signed certificate (<dir>/tls.pem).
"""
import http.server
import socket
import ssl
import sys
import threading
import time

folder, port, silent_port, tls_port = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
TWO_MB = b"x" * (2 << 20)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, body=b"", headers=(), length=True):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        if length:
            self.send_header("Content-Length", str(len(body)))
        else:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        self.wfile.write(body)

    def handle_any(self):
        body = self.rfile.read(int(self.headers.get("Content-Length") or 0))
        path = self.path
        redirects = {"/loop": (302, "/loop"), "/moved": (308, "/target"), "/found": (302, "/target"),
                     "/see-other": (303, "/target"), "/deep/er/down": (301, "../../target")}
        if path in redirects:
            status, where = redirects[path]
            self.answer(status, b"moved", [("Location", where)])
        elif path == "/other-origin":
            here = self.server.server_address[0]
            other = "127.0.0.2" if here == "127.0.0.1" else "127.0.0.1"
            self.answer(307, b"", [("Location", "http://%s:%d/target" % (other, port))])
        elif path == "/big":
            self.answer(200, TWO_MB)
        elif path == "/stream":
            self.answer(200, TWO_MB, length=False)
        elif path == "/slow":
            time.sleep(3)
            self.answer(200, b"late")
        elif path == "/target":
            auth = "yes" if self.headers.get("Authorization") else "no"
            self.answer(200, ("%s auth=%s body=%d" % (self.command, auth, len(body))).encode())
        else:
            self.answer(404, b"not here")

    do_GET = do_PUT = do_POST = do_DELETE = do_PROPFIND = do_REPORT = do_HEAD = handle_any


def serve(server):
    threading.Thread(target=server.serve_forever, daemon=True).start()


for address in ("127.0.0.1", "127.0.0.2"):
    serve(http.server.ThreadingHTTPServer((address, port), Handler))

tls = http.server.ThreadingHTTPServer(("127.0.0.1", tls_port), Handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(folder + "/tls.pem")
tls.socket = context.wrap_socket(tls.socket, server_side=True)
serve(tls)

# A listener that never accepts, with its one-place queue taken by our own
# connections: the kernel drops further connection requests, as a host that does not answer.
silent = socket.socket()
silent.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
silent.bind(("127.0.0.1", silent_port))
silent.listen(0)
fillers = []
for _ in range(2):
    filler = socket.socket()
    filler.setblocking(False)
    filler.connect_ex(("127.0.0.1", silent_port))
    fillers.append(filler)

threading.Event().wait()
