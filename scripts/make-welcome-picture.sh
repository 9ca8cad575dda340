#!/usr/bin/env bash
# Remakes resources/bundle/welcome.png and welcome@2x.png, the Welcome dialog's
# picture at scale factors 1 and 2: the main window's top-left corner with the
# pop-up menu open over the tabs, taken from the program itself on a virtual
# display, once at each scale. Needs a built tree with its tests (build/tests/
# seed_store), xdotool, xwininfo (x11-utils) and ImageMagick.
# Usage: scripts/with-display.sh scripts/make-welcome-picture.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/local-site.sh
build=${1:-build}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
start_local_site "$work"
export WEBKIT_DISABLE_COMPOSITING_MODE=1

shoot() { # scale output
  local scale=$1 output=$2
  export PANDREL_CONFIG_DIR=$work/settings-$scale
  "$build/tests/seed_store" "$site/p1.html" "$site/p2.html" "$site/p3.html"
  GDK_SCALE=$scale "$build/app/pandrel" &
  local program=$!
  local window
  window=$(xdotool search --sync --onlyvisible --name '^Kestrane Pandrel 2.0$' | head -n 1)
  sleep 3
  # The window's inside, without the window manager's title bar, which does
  # not grow with the scale; the right click lands on the second tab.
  local x y
  x=$(xwininfo -id "$window" | sed -n 's/ *Absolute upper-left X: *//p')
  y=$(xwininfo -id "$window" | sed -n 's/ *Absolute upper-left Y: *//p')
  xdotool mousemove $((x + 100 * scale)) $((y + 86 * scale)) click 3
  sleep 2
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop $((330 * scale))x$((304 * scale))+$x+$y +repage \
    -resize "$((214 * scale))x$((197 * scale))!" "$output"
  xdotool key Escape
  kill -TERM "$program"
  wait "$program" || true
  unset window
}
shoot 2 resources/bundle/welcome@2x.png
shoot 1 resources/bundle/welcome.png
