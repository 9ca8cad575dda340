#!/usr/bin/env bash
# Renders the program's pictures from their sources in resources/art/ into
# resources/bundle/. The rendered PNGs are committed, so a build never needs
# this script; run it after changing a source. Needs rsvg-convert and python3.
# Each bundle picture also gets a twice-as-large copy, NAME@2x.png, that the
# program shows on screens with a scale factor of 2.
set -euo pipefail
cd "$(dirname "$0")/.."
art=resources/art
bundle=resources/bundle
mkdir -p "$bundle/toolbar" "$bundle/animations" "$bundle/icons"

render() { # source width height output
    rsvg-convert --width "$2" --height "$3" --keep-aspect-ratio "$1" --output "$4"
}

render_1x_2x() { # source width height output (the 2x copy goes beside it)
    render "$1" "$2" "$3" "$4"
    render "$1" $(($2 * 2)) $(($3 * 2)) "${4%.png}@2x.png"
}

for name in home back forward refresh stop-all stop-current; do
    render_1x_2x "$art/toolbar/$name.svg" 24 24 "$bundle/toolbar/$name.png"
done

render_1x_2x "$art/emblem.svg" 32 32 "$bundle/emblem.png"
for size in 16 32 48 64 128 256; do
    render "$art/icon.svg" "$size" "$size" "$bundle/icons/pandrel-$size.png"
done
# The desktop's icon theme gets the same picture at every size it looks for.
for size in 16 22 24 32 48 64 128 256 512; do
    mkdir -p "data/icons/$size"
    render "$art/icon.svg" "$size" "$size" "data/icons/$size/com.kestrane.Pandrel.png"
done

strips=$(mktemp -d)
trap 'rm -rf "$strips"' EXIT
python3 "$art/strips.py" "$strips"
render_1x_2x "$strips/busy.svg" 640 29 "$bundle/animations/busy.png"
render_1x_2x "$strips/about.svg" 3840 64 "$bundle/animations/about.png"

echo "Pictures written to $bundle/"
