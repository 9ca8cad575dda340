#!/usr/bin/env bash
# Time from process start until every page of a 10-page set has been served by
# a local server, for Pandrel (the set stored as profile 1) and for a bare
# WebKitGTK program opening the same pages, alternating in one run. Needs a
# display (run it through scripts/with-display.sh).
# Usage: bench/page_set_start.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=${1:?build folder}
rounds=${2:-5}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
for i in $(seq 1 10); do
  printf '<html><body><h1>Page %s</h1></body></html>' "$i" > "$work/p$i.html"
done
port=18765
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work" 2> "$work/log" >/dev/null &
sleep 1
urls=()
for i in $(seq 1 10); do urls+=("http://127.0.0.1:$port/p$i.html"); done

time_until_served() { # command...
  : > "$work/log"
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  local pid=$!
  until [ "$(grep -c 'GET /p' "$work/log")" -ge 10 ]; do sleep 0.005; done
  end=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo $(( (end - start) / 1000000 ))
}

export PANDREL_CONFIG_DIR=$work/settings
pandrel=(); bare=()
for ((r = 0; r < rounds; r++)); do
  rm -rf "$work/settings"
  "$build/bench/seed_store" "${urls[@]}"
  pandrel+=("$(time_until_served "$build/app/pandrel")")
  bare+=("$(time_until_served "$build/bench/bare_webkit_tabs" "${urls[@]}")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
p=$(median "${pandrel[@]}"); b=$(median "${bare[@]}")
echo "start to 10 pages served, median of $rounds: pandrel ${p} ms, bare WebKitGTK ${b} ms, ratio $(awk -v p="$p" -v b="$b" 'BEGIN {printf "%.2f", p / b}')"
