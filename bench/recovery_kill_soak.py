#!/usr/bin/env python3
"""Kills the real program with SIGKILL at random moments while its pages move
through chains of links on a local server (127.0.0.1 only), then reads the
recovery record straight from settings.db. Each record must read back whole
(every value of every page present, Sites matching, a page's history binary) and match a state the
program really had: the seeded labels and first URLs, and for each page a URL
the server sent to the program. Some runs end with SIGTERM (a normal close)
instead: their record must be marked clean, so no restore would be offered.
Needs a display (run it through scripts/with-display.sh).

Usage: recovery_kill_soak.py PANDREL_BINARY [ITERATIONS] [SEED]
Prints: kills, records read back whole, records absent (killed before the first
write), restores offered, clean closes checked, failures."""
import http.server
import os
import random
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time

PAGES = 5
CHAIN = 40
served = set()
served_lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        parts = self.path.strip("/").split("/")
        if len(parts) != 2 or not parts[0].startswith("p"):
            self.send_error(404)
            return
        page, step = parts[0], int(parts[1])
        with served_lock:
            served.add(self.path)
        following = "" if step + 1 >= CHAIN else (
            "<script>setTimeout(function(){location.href='/%s/%d'}, %d)</script>"
            % (page, step + 1, random.randint(50, 400)))
        body = ("<html><body>%s step %d%s</body></html>" % (page, step, following)).encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def seed_file(port):
    lines = ["REGEDIT4", "", r"[HKEY_CURRENT_USER\Software\Kestrane\Pandrel]", '"Welcomed"="Y"', "",
             r"[HKEY_CURRENT_USER\Software\Kestrane\Pandrel\Profile1]", '"Sites"=dword:%08x' % PAGES]
    for i in range(PAGES):
        url = "http://127.0.0.1:%d/p%d/0" % (port, i)
        lines += ['"Label%d"="P%d"' % (i, i), '"FirstURL%d"="%s"' % (i, url), '"URL%d"="%s"' % (i, url),
                  '"RemURL%d"="Y"' % i]
    return "\r\n".join(lines) + "\r\n"


def recovery_values(db_file):
    db = sqlite3.connect("file:%s?mode=ro" % db_file, uri=True)
    try:
        key = 1
        for name in ["Software", "Kestrane", "Pandrel", "Recovery"]:
            row = db.execute("SELECT id FROM reg_keys WHERE parent = ? AND name = ?", (key, name)).fetchone()
            if row is None:
                return None
            key = row[0]
        return {name.lower(): (kind, bytes(data)) for name, kind, data in
                db.execute("SELECT name, type, data FROM reg_values WHERE key = ?", (key,))}
    finally:
        db.close()


def text(values, name):
    kind, data = values[name.lower()]
    assert kind == 1, "%s is not text" % name
    return data.split(b"\0", 1)[0].decode()


def number(values, name):
    kind, data = values[name.lower()]
    assert kind == 4 and len(data) == 4, "%s is not a DWORD" % name
    return int.from_bytes(data, "little")


def check_record(values, port, clean):
    """Raises AssertionError when the record is not whole or not a real state."""
    assert number(values, "Clean") == (1 if clean else 0), "Clean is %d" % number(values, "Clean")
    assert text(values, "Profile") == "Profile1"
    sites = number(values, "Sites")
    assert sites == PAGES, "Sites is %d" % sites
    sessions = [name for name in values if name.startswith("session")]
    for name in sessions:
        assert values[name][0] == 3 and int(name[len("session"):]) < sites, "%s is not a page's history" % name
    assert len(values) == 3 + 4 * sites + len(sessions), "%d values for %d pages" % (len(values), sites)
    with served_lock:
        seen = set(served)
    for i in range(sites):
        assert text(values, "Label%d" % i) == "P%d" % i
        first = "http://127.0.0.1:%d/p%d/0" % (port, i)
        assert text(values, "FirstURL%d" % i) == first
        assert text(values, "RemURL%d" % i) == "Y"
        url = text(values, "URL%d" % i)
        prefix = "http://127.0.0.1:%d" % port
        # Before its first load a page is where it was opened: its first URL.
        assert url == first or url.startswith(prefix) and url[len(prefix):] in seen and url[len(prefix):].startswith("/p%d/" % i), \
            "URL%d %s was never served to that page" % (i, url)


def main():
    program = os.path.abspath(sys.argv[1])
    iterations = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    random.seed(int(sys.argv[3]) if len(sys.argv) > 3 else 13)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    port = server.server_address[1]
    work = tempfile.mkdtemp(prefix="pandrel-soak-")
    counts = dict(kills=0, whole=0, absent=0, offered=0, clean=0, failures=0)
    try:
        seed = os.path.join(work, "seed")
        reg = os.path.join(work, "seed.reg")
        with open(reg, "w", encoding="cp1252", newline="") as f:
            f.write(seed_file(port))
        env = dict(os.environ, PANDREL_CONFIG_DIR=seed)
        subprocess.run([program, "--import-settings", reg], env=env, check=True, stdout=subprocess.DEVNULL)
        for n in range(iterations):
            # A fresh folder each run: the engine's helper processes of a killed
            # run may still be writing theirs for a moment.
            run = os.path.join(work, "run%d" % n)
            shutil.copytree(seed, run)
            if n > 0:
                shutil.rmtree(os.path.join(work, "run%d" % (n - 1)), ignore_errors=True)
            with served_lock:
                served.clear()
            env["PANDREL_CONFIG_DIR"] = run
            proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(random.uniform(0.2, 6.0))
            clean = n % 10 == 9
            proc.send_signal(signal.SIGTERM if clean else signal.SIGKILL)
            try:
                proc.wait(timeout=30)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
                counts["failures"] += 1
                print("run %d: no end after SIGTERM" % n, file=sys.stderr)
                continue
            if clean and proc.returncode != 0:
                # SIGTERM came before the program listened for it: a kill as well.
                clean = False
            counts["clean" if clean else "kills"] += 1
            try:
                values = recovery_values(os.path.join(run, "settings.db"))
                if values is None:
                    assert not clean, "a clean close left no record"
                    counts["absent"] += 1
                    continue
                check_record(values, port, clean)
                counts["whole"] += 1
                if not clean:
                    counts["offered"] += 1
            except (AssertionError, KeyError, sqlite3.Error, UnicodeDecodeError) as error:
                counts["failures"] += 1
                print("run %d: %r" % (n, error), file=sys.stderr)
    finally:
        server.shutdown()
        shutil.rmtree(work, ignore_errors=True)
    print("kills %(kills)d, clean closes %(clean)d, records read back whole %(whole)d, "
          "records absent %(absent)d, restores offered %(offered)d, failures %(failures)d" % counts)
    return 1 if counts["failures"] else 0


if __name__ == "__main__":
    sys.exit(main())
