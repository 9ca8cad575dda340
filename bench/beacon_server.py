#!/usr/bin/env python3
"""Local page server for the start-up benchmarks (127.0.0.1 only).

Serves /pN.html: a page whose onload requests /beacon?p=N; /big.html is a
large document with the same beacon. Each beacon is printed as "N TIME_NS" on
standard output the moment it arrives, so a benchmark can block on reading
it instead of polling. Usage: beacon_server.py PORT (0 picks a free port,
which the first line, "ready PORT", names).
"""
import http.server
import sys
import threading
import time

# Requests are answered on threads of their own: one beacon line at a time.
printing = threading.Lock()


def page(n, body=""):
    return ('<html><head><title>Page %s</title></head>'
            '<body onload="fetch(\'/beacon?p=%s\')"><h1>Page %s</h1>%s</body></html>' % (n, n, n, body))


BIG = "".join("<p>Paragraph %d of a long document, with <b>some</b> <i>markup</i> "
              "and a <a href='#a%d'>link</a>.</p>" % (i, i) for i in range(20000))


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        path = self.path
        if path.startswith("/beacon?p="):
            with printing:
                print(path.split("=", 1)[1], time.time_ns(), flush=True)
            self.reply(b"ok", "text/plain")
        elif path == "/big.html":
            self.reply(page("big", BIG).encode(), "text/html")
        elif path.startswith("/p") and path.endswith(".html") and path[2:-5].isdigit():
            self.reply(page(path[2:-5]).encode(), "text/html")
        else:
            self.send_error(404)

    def reply(self, data, kind):
        self.send_response(200)
        self.send_header("Content-Type", kind + "; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass  # a closed page's web process drops its connection: not news


if __name__ == "__main__":
    server = Server(("127.0.0.1", int(sys.argv[1])), Handler)
    print("ready", server.server_address[1], flush=True)
    server.serve_forever()
