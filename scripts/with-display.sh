#!/usr/bin/env bash
# Runs a command on a private virtual X server (Xvfb) with a small window
# manager, inside a private D-Bus session, and returns the command's status.
set -euo pipefail
inner='openbox >/dev/null 2>&1 & wm=$!
status=0; "$@" || status=$?
kill "$wm" 2>/dev/null || true
exit "$status"'
# PANDREL_SCREEN chooses another screen size, e.g. 2048x1280x24 for screenshots at scale 2.
exec dbus-run-session -- xvfb-run -a -s "-screen 0 ${PANDREL_SCREEN:-1280x1024x24}" bash -c "$inner" _ "$@"
