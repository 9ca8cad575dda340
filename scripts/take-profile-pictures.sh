#!/usr/bin/env bash
# Takes the pictures of the profile buttons with two profiles that keep their
# logins apart (2 "Work" and 3 "Client"), the tooltip of button 3 showing,
# into docs/: light and dark at scale factor 1, and light at scale factor 2.
# The settings come in through --import-settings, as a user's .reg file would.
# The pages are served on 127.0.0.1. Needs a built tree with its tests
# (build/tests/seed_store), xdotool, xwininfo (x11-utils) and ImageMagick.
# Usage: scripts/take-profile-pictures.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/local-site.sh

if [[ ${1:-} == --inside ]]; then
  # On the virtual display: NAME SCALE BUILD
  name=$2 scale=$3 build=$4
  work=$(mktemp -d)
  trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
  start_local_site "$work"
  export PANDREL_CONFIG_DIR=$work/settings WEBKIT_DISABLE_COMPOSITING_MODE=1 GDK_SCALE=$scale
  for profile in 1 2 3; do
    "$build/tests/seed_store" "--profile=$profile" "$site/p$profile.html"
  done
  cat >"$work/apart.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Kestrane\Pandrel]
"ProfileName1"="Home"
"ProfileName2"="Work"
"ProfileName3"="Client"

[HKEY_CURRENT_USER\Software\Kestrane\Pandrel\Profile2]
"KeepLoginsApart"=dword:00000001

[HKEY_CURRENT_USER\Software\Kestrane\Pandrel\Profile3]
"KeepLoginsApart"=dword:00000001
REG
  "$build/app/pandrel" --import-settings "$work/apart.reg" >/dev/null
  # Their own site data is there already, as after an earlier run (without
  # it the window says that it was not found).
  mkdir -p -m 700 "$PANDREL_CONFIG_DIR/webkit-data" "$PANDREL_CONFIG_DIR/webkit-data/profiles"
  mkdir -m 700 "$PANDREL_CONFIG_DIR/webkit-data/profiles/Profile2" "$PANDREL_CONFIG_DIR/webkit-data/profiles/Profile3"
  "$build/app/pandrel" &
  program=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Kestrane Pandrel 2.0$' | head -n 1)
  sleep 3
  # Profile 3 is shown, so its button is pressed beside profile 2's.
  xdotool key alt+3
  sleep 3
  # Rest the pointer on button 3, the third of the row below the tool bar.
  xdotool mousemove --window "$window" $((130 * scale)) $((60 * scale))
  sleep 0.5
  xdotool mousemove --window "$window" $((140 * scale)) $((62 * scale))
  sleep 3
  import -window root "$work/shot.png"
  kill -TERM "$program"
  wait "$program" || true
  if ((scale == 1)); then crop=560x130; else crop=1120x260; fi
  convert "$work/shot.png" -crop "$crop+0+0" +repage "docs/profile-buttons-$name.png"
  exit 0
fi

build=$(realpath "${1:-build}")
PANDREL_SCREEN=1024x768x24 scripts/with-display.sh "$0" --inside apart 1 "$build"
PANDREL_SCREEN=1024x768x24 GTK_THEME=Adwaita:dark scripts/with-display.sh "$0" --inside apart-dark 1 "$build"
PANDREL_SCREEN=2048x1536x24 scripts/with-display.sh "$0" --inside apart-2x 2 "$build"
echo "Pictures written to docs/"
