#!/usr/bin/env bash
# Renders the program's pictures from their sources in resources/art/ into
# resources/bundle/. The rendered PNGs are committed, so a build never needs
# this script; run it after changing a source. Needs rsvg-convert and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
art=resources/art
bundle=resources/bundle
mkdir -p "$bundle/toolbar" "$bundle/animations" "$bundle/icons"

render() { # source width height output
    rsvg-convert --width "$2" --height "$3" --keep-aspect-ratio "$1" --output "$4"
}

for name in home back forward refresh stop-all stop-current; do
    render "$art/toolbar/$name.svg" 24 24 "$bundle/toolbar/$name.png"
done

render "$art/emblem.svg" 32 32 "$bundle/emblem.png"
for size in 16 32 48 64 128 256; do
    render "$art/icon.svg" "$size" "$size" "$bundle/icons/pandrel-$size.png"
done

strips=$(mktemp -d)
trap 'rm -rf "$strips"' EXIT
python3 "$art/strips.py" "$strips"
render "$strips/busy.svg" 640 29 "$bundle/animations/busy.png"
render "$strips/about.svg" 3840 64 "$bundle/animations/about.png"

echo "Pictures written to $bundle/"
