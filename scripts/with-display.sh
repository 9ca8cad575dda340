#!/usr/bin/env bash
# Runs a command on a private virtual X server (Xvfb) with a small window
# manager, inside a private D-Bus session, and returns the command's status.
# The command starts only once the window manager has taken the screen, so
# tests never meet windows placed and focused without one.
set -euo pipefail
inner='wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
openbox >/dev/null 2>&1 & wm=$!
for _ in $(seq 400); do
  wm_up && break
  # Openbox ends at once when the display does not answer yet: start it again.
  if ! kill -0 "$wm" 2>/dev/null; then
    openbox >/dev/null 2>&1 & wm=$!
  fi
  sleep 0.05
done
if ! wm_up; then
  echo "with-display.sh: the window manager (openbox) did not start" >&2
  kill "$wm" 2>/dev/null || true
  exit 1
fi
status=0; "$@" || status=$?
kill "$wm" 2>/dev/null || true
exit "$status"'
# PANDREL_SCREEN chooses another screen size, e.g. 2048x1280x24 for screenshots at scale 2.
exec dbus-run-session -- xvfb-run -a -s "-screen 0 ${PANDREL_SCREEN:-1280x1024x24}" bash -c "$inner" _ "$@"
