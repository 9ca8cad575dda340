"""The start-up benchmarks' page server (beacon_server.py on 127.0.0.1), its
onload beacons read on a thread into a queue. Shared by the benchmark drivers."""
import os
import queue
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))


class Beacons:
    def __init__(self):
        self.server = subprocess.Popen([sys.executable, os.path.join(HERE, "beacon_server.py"), "0"],
                                       stdout=subprocess.PIPE, text=True)
        self.port = int(self.server.stdout.readline().split()[1])
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.server.stdout:
            self.lines.put(line.split()[0])

    def url(self, n):
        return "http://127.0.0.1:%d/p%d.html" % (self.port, n)

    def drain(self):
        """Forgets the beacons that came so far."""
        while not self.lines.empty():
            self.lines.get_nowait()

    def arrived(self, missing):
        """Takes the beacons that came so far out of missing (page numbers)."""
        while not self.lines.empty():
            missing.discard(int(self.lines.get_nowait()))
        return not missing

    def wait_for(self, pages, limit=120):
        """Blocks until every page of pages has sent its beacon."""
        missing = set(str(n) for n in pages)
        end = time.monotonic() + limit
        while missing:
            try:
                missing.discard(self.lines.get(timeout=max(0.1, end - time.monotonic())))
            except queue.Empty:
                raise SystemExit("no beacon from pages %s within %d s" % (sorted(missing), limit))

    def close(self):
        self.server.terminate()
        self.server.wait()
