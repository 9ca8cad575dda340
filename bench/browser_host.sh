#!/usr/bin/env bash
# Compares the browser host on the WebKit engine with a bare WebKitGTK program,
# side by side in one run: the median time from creating a view to the end of
# loading a local page, and the memory (PSS summed over the program and its
# WebKit processes) with 1 and 10 views. Run from the build folder configured
# with -DPANDREL_BUILD_BENCH=ON, after building bench_browser_host and bare_webkit_load.
set -euo pipefail
build=${1:-.}
rounds=${ROUNDS:-5}
loads=${LOADS:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '<!DOCTYPE html><html><head><title>Bench</title></head><body>%s</body></html>\n' \
  "$(for i in $(seq 200); do printf '<p>Paragraph %d of a local page.</p>' "$i"; done)" > "$work/page.html"
page="file://$work/page.html"
export PANDREL_CONFIG_DIR="$work/config" WEBKIT_DISABLE_COMPOSITING_MODE=1

run() { dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$@" 2>/dev/null | tail -1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "load: median ms from creating a view to DocumentComplete ($loads loads, $rounds alternating rounds)"
for round in $(seq "$rounds"); do
  ours=$(run "$build/bench/bench_browser_host" --load "$loads" "$page")
  bare=$(run "$build/bench/bare_webkit_load" --load "$loads" "$page")
  echo "  round $round: pandrel $ours ms, bare $bare ms, ratio $(ratio "$ours" "$bare")"
done
for views in 1 10; do
  ours=$(run "$build/bench/bench_browser_host" --memory "$views" "$page")
  bare=$(run "$build/bench/bare_webkit_load" --memory "$views" "$page")
  echo "memory, $views view(s): pandrel $ours KiB, bare $bare KiB, ratio $(ratio "$ours" "$bare")"
done
