#!/usr/bin/env bash
# Takes the screenshots in docs/: the main window with three local pages and
# the About box, at scale factor 1, at scale factor 2 and under Adwaita's dark
# variant, each on its own virtual display. Needs a built tree with its tests
# (build/tests/seed_store), xdotool, xwininfo (x11-utils) and ImageMagick.
# Usage: scripts/take-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/local-site.sh

if [[ ${1:-} == --inside ]]; then
  # On the virtual display: VARIANT SCALE BUILD
  variant=$2 scale=$3 build=$4
  work=$(mktemp -d)
  trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
  start_local_site "$work" '<p>Served from 127.0.0.1.</p>'
  export PANDREL_CONFIG_DIR=$work/settings WEBKIT_DISABLE_COMPOSITING_MODE=1 GDK_SCALE=$scale
  "$build/tests/seed_store" "$site/p1.html" "$site/p2.html" "$site/p3.html"
  "$build/app/pandrel" &
  program=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Kestrane Pandrel 2.0$' | head -n 1)
  sleep 4
  import -window root "$work/main.png"
  # About, the last but one item of the pop-up menu opened over the tabs.
  x=$(xwininfo -id "$window" | sed -n 's/ *Absolute upper-left X: *//p')
  y=$(xwininfo -id "$window" | sed -n 's/ *Absolute upper-left Y: *//p')
  xdotool mousemove $((x + 40 * scale)) $((y + 86 * scale)) click 3
  sleep 2
  xdotool key Up Up Return
  about=$(timeout 20 xdotool search --sync --onlyvisible --name '^About$' | head -n 1)
  sleep 2
  import -window "$about" "$work/about.png"
  kill -TERM "$program"
  wait "$program" || true
  # The top of the window, from the tool bar to the busy box, and the tabs.
  if ((scale == 1)); then crop=1024x300; else crop=1280x560; fi
  convert "$work/main.png" -crop "$crop+0+0" +repage "docs/screenshot-$variant.png"
  cp "$work/about.png" "docs/about-$variant.png"
  exit 0
fi

build=$(realpath "${1:-build}")
PANDREL_SCREEN=1024x768x24 scripts/with-display.sh "$0" --inside 1x 1 "$build"
PANDREL_SCREEN=2048x1536x24 scripts/with-display.sh "$0" --inside 2x 2 "$build"
PANDREL_SCREEN=1024x768x24 GTK_THEME=Adwaita:dark scripts/with-display.sh "$0" --inside dark 1 "$build"
echo "Screenshots written to docs/"
