#!/usr/bin/env python3
"""Prints the summed PSS in KiB of a process and all its descendants."""
import os
import sys

root = int(sys.argv[1])
children = {}
for name in os.listdir("/proc"):
    if not name.isdigit():
        continue
    try:
        with open("/proc/%s/stat" % name) as f:
            parent = int(f.read().rsplit(")", 1)[1].split()[1])
        children.setdefault(parent, []).append(int(name))
    except OSError:
        pass
total, todo = 0, [root]
while todo:
    pid = todo.pop()
    todo.extend(children.get(pid, []))
    try:
        with open("/proc/%d/smaps_rollup" % pid) as f:
            for line in f:
                if line.startswith("Pss:"):
                    total += int(line.split()[1])
    except OSError:
        pass
print(total)
