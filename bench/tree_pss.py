#!/usr/bin/env python3
"""Prints the summed PSS in KiB of a process and all its descendants, or with
--pids the descendants' process ids. descendants() is shared with the other
benchmark drivers."""
import os
import sys


def descendants(root):
    """Every process below root, children before their own children."""
    tree, found = {}, []
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % name) as f:
                parent = int(f.read().rsplit(")", 1)[1].split()[1])
            tree.setdefault(parent, []).append(int(name))
        except OSError:
            pass
    todo = list(tree.get(root, []))
    while todo:
        child = todo.pop()
        found.append(child)
        todo.extend(tree.get(child, []))
    return found


def tree_pss(root):
    total = 0
    for pid in [root] + descendants(root):
        try:
            with open("/proc/%d/smaps_rollup" % pid) as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


if __name__ == "__main__":
    if sys.argv[1] == "--pids":
        print(" ".join(str(pid) for pid in descendants(int(sys.argv[2]))))
    else:
        print(tree_pss(int(sys.argv[1])))
