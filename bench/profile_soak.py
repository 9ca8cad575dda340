#!/usr/bin/env python3
"""Memory kept by profile switches: the real program switches between two
five-page profiles (Alt+2, Alt+1, as the user presses them) SWITCHES times,
then the bare WebKitGTK program in bench/reference/ swaps two five-page sets
in a notebook on the same keys as often, in the same run. Pages come from
bench/beacon_server.py on 127.0.0.1; a switch is done when every page of the
new set has sent its onload beacon. After every STEP switches the driver
reads the UI process's own memory (PSS and anonymous memory from
smaps_rollup, never its web processes'), its descriptors, threads and web
processes, and at the end prints the growth per 100 pages opened and closed
(least-squares slope over the checkpoints after WARMUP switches) for both.
Needs a display (run it through scripts/with-display.sh).

Usage: profile_soak.py BUILD_DIR [SWITCHES [WARMUP [STEP]]]
       profile_soak.py BUILD_DIR ... --only pandrel|bare
PANDREL_SOAK_WRAP="heaptrack" (say) runs the program under a tool; the
figures then follow the wrapped process's own child, which is ended with
SIGKILL, so that the tool sees everything it held at the last switch."""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from beacons import Beacons
from tree_pss import descendants

HERE = os.path.dirname(os.path.abspath(__file__))
PAGES = 5


def read_rollup(pid):
    values = {}
    with open("/proc/%d/smaps_rollup" % pid) as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2 and parts[0].endswith(":") and parts[1].isdigit():
                values[parts[0][:-1]] = int(parts[1])
    return values


def web_processes(pid):
    count = 0
    for child in descendants(pid):
        try:
            with open("/proc/%d/comm" % child) as f:
                count += f.read().startswith("WebKitWebProces")
        except OSError:
            pass
    return count


def ui_process(launched):
    """The measured process: the launched one, or its child under a wrapper."""
    if not os.environ.get("PANDREL_SOAK_WRAP"):
        return launched.pid
    end = time.monotonic() + 60
    while time.monotonic() < end:
        for child in descendants(launched.pid):
            try:
                with open("/proc/%d/comm" % child) as f:
                    if f.read().strip() in ("pandrel", "bare_webkit_soa"):
                        return child
            except OSError:
                pass
        time.sleep(0.1)
    raise SystemExit("the wrapped program did not start")


def soak(name, command, env, beacons, switches, warmup, step):
    wrap = os.environ.get("PANDREL_SOAK_WRAP", "").split()
    sets = [range(1, PAGES + 1), range(PAGES + 1, 2 * PAGES + 1)]
    launched = subprocess.Popen(wrap + command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    pid = None
    try:
        beacons.wait_for(sets[0])
        pid = ui_process(launched)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid)],
                                check=True, capture_output=True, text=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowactivate", "--sync", window], check=True)
        points, settled = [], None
        for k in range(1, switches + 1):
            target = k % 2  # 1: the second set, 0: back to the first
            subprocess.run(["xdotool", "key", "--clearmodifiers", "alt+%d" % (target + 1)], check=True)
            beacons.wait_for(sets[target])
            if k % step == 0 and k >= warmup:
                # Measure with as many web processes as at the first checkpoint,
                # so that the shares of mapped libraries stay comparable.
                end = time.monotonic() + 20
                while settled is not None and web_processes(pid) != settled and time.monotonic() < end:
                    time.sleep(0.05)
                rollup = read_rollup(pid)
                web = web_processes(pid)
                settled = web if settled is None else settled
                point = (k * PAGES, rollup["Pss"], rollup["Anonymous"], len(os.listdir("/proc/%d/fd" % pid)),
                         len(os.listdir("/proc/%d/task" % pid)), web)
                points.append(point)
                print("%-7s pages %5d  PSS %7d KiB  anon %7d KiB  fds %3d  threads %3d  web processes %d"
                      % ((name,) + point), flush=True)
        return points
    finally:
        if wrap and pid:
            os.kill(pid, signal.SIGKILL)
        launched.terminate()
        launched.wait()


def slope(points, column):
    """KiB per 100 pages, least squares over the checkpoints."""
    n = len(points)
    xs = [p[0] for p in points]
    ys = [p[column] for p in points]
    mx, my = sum(xs) / n, sum(ys) / n
    den = sum((x - mx) ** 2 for x in xs)
    return 100 * sum((x - mx) * (y - my) for x, y in zip(xs, ys)) / den if den else 0.0


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--only")]
    only = sys.argv[sys.argv.index("--only") + 1] if "--only" in sys.argv else None
    if only:
        args.remove(only)
    build = args[0]
    switches = int(args[1]) if len(args) > 1 else 120
    warmup = int(args[2]) if len(args) > 2 else 20
    step = int(args[3]) if len(args) > 3 else 10
    work = tempfile.mkdtemp()
    beacons = Beacons()
    results = {}
    try:
        env = dict(os.environ, PANDREL_CONFIG_DIR=os.path.join(work, "settings"))
        urls = [beacons.url(n) for n in range(1, 2 * PAGES + 1)]
        for profile, chosen in ((1, urls[:PAGES]), (2, urls[PAGES:])):
            subprocess.run([os.path.join(build, "bench", "seed_store"), "--profile=%d" % profile] + chosen,
                           env=env, check=True)
        programs = [("pandrel", [os.path.join(build, "app", "pandrel")]),
                    ("bare", [os.path.join(build, "bench", "bare_webkit_soak")] + urls[:PAGES] + ["--"]
                     + urls[PAGES:])]
        for name, command in programs:
            if only in (None, name):
                results[name] = soak(name, command, env, beacons, switches, warmup, step)
    finally:
        beacons.close()
        shutil.rmtree(work, ignore_errors=True)
    print("growth per 100 pages opened and closed, %d switches of %d pages, slope after %d switches; "
          "load average %s" % (switches, PAGES, warmup, open("/proc/loadavg").read().split()[0]))
    for name, points in results.items():
        print("%-7s PSS %+7.1f KiB  anon %+7.1f KiB" % (name, slope(points, 1), slope(points, 2)))


if __name__ == "__main__":
    main()
