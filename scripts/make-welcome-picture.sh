#!/usr/bin/env bash
# Remakes resources/bundle/welcome.png and welcome@2x.png, the Welcome dialog's
# picture at scale factors 1 and 2: the main window's top-left corner with the
# pop-up menu open over the tabs, taken from the program itself on a virtual
# display, once at each scale. Needs a built tree with its tests (build/tests/
# seed_store), xdotool and ImageMagick.
# Usage: scripts/with-display.sh scripts/make-welcome-picture.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
for i in 1 2 3; do
  printf '<html><head><title>Page %s</title></head><body><h1>Local page %s</h1></body></html>' "$i" "$i" > "$work/p$i.html"
done
python3 -m http.server 8765 --bind 127.0.0.1 --directory "$work" >/dev/null 2>&1 &
sleep 1
export WEBKIT_DISABLE_COMPOSITING_MODE=1

shoot() { # scale output
  local scale=$1 output=$2
  export PANDREL_CONFIG_DIR=$work/settings-$scale
  "$build/tests/seed_store" http://127.0.0.1:8765/p1.html http://127.0.0.1:8765/p2.html http://127.0.0.1:8765/p3.html
  GDK_SCALE=$scale "$build/app/pandrel" &
  local program=$!
  local window
  window=$(xdotool search --sync --onlyvisible --name '^Kestrane Pandrel 2.0$' | head -n 1)
  sleep 3
  xdotool mousemove $((100 * scale)) $((104 * scale)) click 3
  sleep 1
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop $((330 * scale))x$((304 * scale))+0+0 +repage \
    -resize "$((214 * scale))x$((197 * scale))!" "$output"
  xdotool key Escape
  kill -TERM "$program"
  wait "$program" || true
  unset window
}
shoot 1 resources/bundle/welcome.png
shoot 2 resources/bundle/welcome@2x.png
