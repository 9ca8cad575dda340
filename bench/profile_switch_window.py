#!/usr/bin/python3
"""Profile switches in the real window, pressed as a user presses them.

The real program (sandbox on, pages from bench/beacon_server.py on 127.0.0.1)
starts in profile 1 (one page); profile 2 holds 30 pages, profile 3 one page,
profile 4 none. From the empty profile 4 the driver clicks profile 2's button
(XTEST, at the place the accessibility tree gives for it) and asks the
window over AT-SPI, one question after another, how many tabs its page tab
list holds, until it holds the profile's pages; then it goes on asking until
every page of the profile has sent its onload beacon. Every question is a
round trip that waits for the window's main loop, so the longest answer is
the longest time the window could not answer (a screen reader falls silent,
clicks wait): it bounds the longest main-loop turn from outside. The first
switch to a profile in the run is cold, the second warm; the one-page
profile 3 is switched to in the same way beside it. Last, profile 2's button
is pressed and profile 3's 0.3 s later (twice): how long the window takes to
answer while that switch is under way, and to list profile 3's page.

Needs a display and python3-pyatspi (run it through scripts/with-display.sh).
Usage: profile_switch_window.py BUILD_DIR [ROUNDS] [--load-when-shown]
PANDREL_BENCH_VERBOSE=1 lists every switch and every answer over 100 ms with
the time it was asked on the monotonic clock; PANDREL_BENCH_PERF=FILE records
the program with `perf record -g -k CLOCK_MONOTONIC` meanwhile, to match.
Each round is a fresh program on a fresh settings folder; medians are printed.
"""
import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

from gi.repository import Gio, GLib

from beacons import Beacons

HERE = os.path.dirname(os.path.abspath(__file__))
BIG, SMALL, EMPTY, START = 2, 3, 4, 1
PAGES = {START: [1], BIG: list(range(201, 231)), SMALL: [301], EMPTY: []}


ACCESSIBLE = "org.a11y.atspi.Accessible"
ROOT = "/org/a11y/atspi/accessible/root"
ROLE_PAGE_TAB_LIST, ROLE_PAGE_TAB, ROLE_TOGGLE_BUTTON, ROLE_MENU_BAR, ROLE_MENU = 38, 37, 62, 34, 33
STATE_CHECKED = 4


class Node:
    """One accessible object, asked over the accessibility bus directly (plain
    D-Bus calls: nothing cached, no events handled on the way)."""

    def __init__(self, bus, name, path):
        self.bus, self.name, self.path = bus, name, path

    def call(self, interface, method, args=None, reply=None):
        return self.bus.call_sync(self.name, self.path, interface, method, args,
                                  GLib.VariantType(reply) if reply else None,
                                  Gio.DBusCallFlags.NONE, 120000, None).unpack()

    def role(self):
        return self.call(ACCESSIBLE, "GetRole", None, "(u)")[0]

    def label(self):
        return self.call("org.freedesktop.DBus.Properties", "Get",
                         GLib.Variant("(ss)", (ACCESSIBLE, "Name")), "(v)")[0]

    def child_count(self):
        return self.call("org.freedesktop.DBus.Properties", "Get",
                         GLib.Variant("(ss)", (ACCESSIBLE, "ChildCount")), "(v)")[0]

    def children(self):
        return [Node(self.bus, n, p) for n, p in self.call(ACCESSIBLE, "GetChildren", None, "(a(so))")[0]]

    def checked(self):
        bits = self.call(ACCESSIBLE, "GetState", None, "(au)")[0]
        return bool(bits[STATE_CHECKED // 32] & (1 << (STATE_CHECKED % 32)))

    def centre(self):
        x, y, w, h = self.call("org.a11y.atspi.Component", "GetExtents", GLib.Variant("(u)", (0,)),
                               "((iiii))")[0]
        return x + w // 2, y + h // 2


def find(node, role, name=None):
    here = node.role()
    if here == role and (name is None or node.label() == name):
        return node
    if here in (ROLE_PAGE_TAB, ROLE_MENU_BAR, ROLE_MENU):
        return None  # no page's content, no menus
    for child in node.children():
        found = find(child, role, name)
        if found is not None:
            return found
    return None


def accessibility_bus(end):
    """A connection to the accessibility bus, whose launcher may be starting
    again after the last program left it."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    while True:
        try:
            address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                        GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 10000, None).unpack()[0]
            return Gio.DBusConnection.new_for_address_sync(
                address,
                Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
                None, None)
        except GLib.Error:
            if time.monotonic() > end:
                raise
            time.sleep(0.1)


class Window:
    """The program's window as the accessibility tree shows it."""

    def __init__(self, pid):
        self.pointer = Pointer()
        end = time.monotonic() + 60
        self.app = None
        while self.app is None and time.monotonic() < end:
            try:  # the bus of the last round may be closing: reach it afresh each time
                bus = accessibility_bus(end)
                for app in Node(bus, "org.a11y.atspi.Registry", ROOT).children():
                    owner = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                          "GetConnectionUnixProcessID", GLib.Variant("(s)", (app.name,)),
                                          GLib.VariantType("(u)"), Gio.DBusCallFlags.NONE, 10000, None).unpack()[0]
                    if owner == pid:
                        self.app = app
            except GLib.Error:
                pass
            if self.app is None:
                time.sleep(0.1)
        if self.app is None:
            raise SystemExit("the program never joined the accessibility bus")
        self.tabs = None
        while self.tabs is None and time.monotonic() < end:
            self.tabs = find(self.app, ROLE_PAGE_TAB_LIST)
            if self.tabs is None:
                time.sleep(0.1)
        if self.tabs is None:
            raise SystemExit("no page tab list in the window")
        self.buttons = {}
        for n in PAGES:
            button = find(self.app, ROLE_TOGGLE_BUTTON, "Profile %d" % n)
            if button is None:
                raise SystemExit("no button named Profile %d" % n)
            self.buttons[n] = (button,) + button.centre()

    def tab_count(self):
        """(tabs listed, seconds the window took to answer)."""
        start = time.monotonic()
        count = self.tabs.child_count()
        return count, time.monotonic() - start

    def is_down(self, n):
        return self.buttons[n][0].checked()

    def press(self, n):
        """Clicks button n; returns the moment the click was sent to the display."""
        _, x, y = self.buttons[n]
        return self.pointer.click(x, y)


class Pointer:
    """Clicks through the display's XTEST extension on one open connection,
    so the moment a click is sent is known to the millisecond."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for f in (self.x11.XSync, self.x11.XCloseDisplay, self.xtst.XTestFakeMotionEvent,
                  self.xtst.XTestFakeButtonEvent):
            f.argtypes = [ctypes.c_void_p] + [ctypes.c_long] * {"XSync": 1, "XCloseDisplay": 0,
                                                                  "XTestFakeMotionEvent": 4,
                                                                  "XTestFakeButtonEvent": 3}[f.__name__]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            raise SystemExit("cannot open the display")
        self.lock = threading.Lock()

    def click(self, x, y):
        with self.lock:
            self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)
            self.x11.XSync(self.display, 0)
            time.sleep(0.05)  # the pointer has entered the button
            sent = time.monotonic()
            self.xtst.XTestFakeButtonEvent(self.display, 1, 1, 0)
            self.xtst.XTestFakeButtonEvent(self.display, 1, 0, 0)
            self.x11.XSync(self.display, 0)
            return sent


def log(*what):
    if os.environ.get("PANDREL_BENCH_VERBOSE"):
        print(*what, file=sys.stderr, flush=True)


def switch(window, beacons, number, limit=120):
    """Presses profile number's button; returns (seconds to all its tabs listed,
    longest answer until its pages have all loaded, seconds to all loaded)."""
    missing = set(PAGES[number])
    beacons.drain()
    start = window.press(number)
    log("pressed", number)
    listed, longest = None, 0.0
    while time.monotonic() - start < limit:
        count, took = window.tab_count()
        longest = max(longest, took)
        if took > 0.1:
            log("  answer of %.0f ms, asked at %.3f (monotonic), %.0f ms after the press"
                % (1000 * took, time.monotonic() - took, 1000 * (time.monotonic() - took - start)))
        if listed is None and count == len(PAGES[number]) and window.is_down(number):
            listed = time.monotonic() - start
        if listed is not None and beacons.arrived(missing):
            log("  listed %.0f ms, longest answer %.0f ms, loaded %.0f ms"
                % (1000 * listed, 1000 * longest, 1000 * (time.monotonic() - start)))
            return listed, longest, time.monotonic() - start
    raise SystemExit("profile %d: tabs %s, pages %s missing after %d s" % (number, listed, sorted(missing), limit))


def interrupted(window, beacons, limit=120):
    """Presses profile 2, then profile 3 0.3 s later whatever the window does
    meanwhile: the longest answer from the first press until profile 3's page
    is listed, the longest answer to a question under way at the second press
    or asked after it, and the time from the second press to the page listed."""
    beacons.drain()
    start = window.press(BIG)
    second = []
    delay = float(os.environ.get("PANDREL_BENCH_SECOND_PRESS", "0.3"))
    presser = threading.Timer(max(0.0, start + delay - time.monotonic()), lambda: second.append(window.press(SMALL)))
    presser.start()
    answers = []
    try:
        while time.monotonic() - start < limit:
            asked = time.monotonic()
            count, took = window.tab_count()
            answers.append((asked, took))
            if not answers[:-1] or count != last:
                log("  %.0f ms after the first press (%.3f monotonic): %d tabs (answered in %.0f ms)"
                    % (1000 * (asked - start), asked, count, 1000 * took))
            last = count
            if second and count == 1 and window.is_down(SMALL):
                after = max(took for asked, took in answers if asked + took >= second[0])
                return max(took for _, took in answers), after, time.monotonic() - second[0]
    finally:
        presser.join()
    raise SystemExit("profile %d never came after an interrupted switch" % SMALL)


def one_round(build, beacons, work, load_when_shown):
    config = tempfile.mkdtemp(dir=work)
    env = dict(os.environ, PANDREL_CONFIG_DIR=config)
    env.pop("NO_AT_BRIDGE", None)
    seed = [os.path.join(build, "bench", "seed_store")] + (["--load-when-shown"] if load_when_shown else [])
    for n, pages in PAGES.items():
        subprocess.run(seed + ["--profile=%d" % n] + [beacons.url(p) for p in pages], env=env, check=True)
    beacons.drain()
    program = subprocess.Popen([os.path.join(build, "app", "pandrel")], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        missing = set(PAGES[START])
        end = time.monotonic() + 60
        while not beacons.arrived(missing):
            if time.monotonic() > end:
                raise SystemExit("the start page never loaded")
            time.sleep(0.05)
        log("start page loaded")
        window = Window(program.pid)
        log("window found")
        perf = None
        if os.environ.get("PANDREL_BENCH_PERF"):
            perf = subprocess.Popen(["perf", "record", "-g", "-k", "CLOCK_MONOTONIC", "-p", str(program.pid)]
                                    + os.environ.get("PANDREL_BENCH_PERF_ARGS", "").split() + [
                                     "-o", os.environ["PANDREL_BENCH_PERF"]], stderr=subprocess.DEVNULL)
            time.sleep(1)  # perf attached
        figures = {}
        switch(window, beacons, EMPTY)
        for kind in ("cold", "warm"):
            for number in (BIG, SMALL):
                figures["%s.%d" % (kind, number)] = switch(window, beacons, number)
                switch(window, beacons, EMPTY)
        for k in range(2):
            figures["interrupt.%d" % k] = interrupted(window, beacons)
            switch(window, beacons, EMPTY)
        if perf:
            perf.send_signal(signal.SIGINT)
            perf.wait()
        return figures
    finally:
        program.terminate()
        program.wait()


def median(values):
    values = sorted(values)
    return values[(len(values) - 1) // 2]


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    load_when_shown = "--load-when-shown" in sys.argv
    build = args[0]
    rounds = int(args[1]) if len(args) > 1 else 3
    # The accessibility bus lives for the whole run: left to itself, its
    # launcher may end with a program and leave the next one its old address.
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    beacons = Beacons()
    work = tempfile.mkdtemp()
    results = []
    try:
        for _ in range(rounds):
            results.append(one_round(build, beacons, work, load_when_shown))
    finally:
        beacons.close()
        launcher.terminate()
        launcher.wait()
        shutil.rmtree(work, ignore_errors=True)

    def m(key, i):
        return 1000 * median([r[key][i] for r in results])

    print("profile switches in the window, medians of %d rounds (ms), Load Pages When Shown %s, load average %s"
          % (rounds, "on" if load_when_shown else "off", " ".join(open("/proc/loadavg").read().split()[:3])))
    print("%-22s %10s %14s %10s" % ("", "tabs listed", "longest answer", "all loaded"))
    for kind in ("cold", "warm"):
        for number, what in ((BIG, "30 pages"), (SMALL, "1 page")):
            key = "%s.%d" % (kind, number)
            print("%-22s %10.0f %14.0f %10.0f" % ("%s %s" % (what, kind), m(key, 0), m(key, 1), m(key, 2)))
    for kind in ("cold", "warm"):
        print("30 pages / 1 page %s: tabs listed %.2fx, longest answer %.2fx"
              % (kind, m("%s.%d" % (kind, BIG), 0) / m("%s.%d" % (kind, SMALL), 0),
                 m("%s.%d" % (kind, BIG), 1) / m("%s.%d" % (kind, SMALL), 1)))
    for k in range(2):
        key = "interrupt.%d" % k
        print("press 3 0.3 s after 2 (#%d): longest answer %.0f, after the second press %.0f, page listed %.0f"
              % (k + 1, m(key, 0), m(key, 1), m(key, 2)))
    print("wanted: tabs listed within 300 ms, no answer over 100 ms")


if __name__ == "__main__":
    main()
