#!/usr/bin/env bash
# Process start to the page's onload beacon reaching a local server, for
# Pandrel and a bare WebKitGTK program (both with the sandbox on), alternating
# in one run, fresh settings each run:
#   one simple page, one large document, a 10-page profile with "Load Pages
#   When Shown" off (visible page, all ten) and on (visible page, PSS of the
#   whole process tree when it has loaded), the bare program loading all ten
#   at once and, with --lazy, only the shown one.
# Blocks on the server's beacon lines; only the end of a run's engine
# processes is polled for. Needs a display (run
# it through scripts/with-display.sh).
# Usage: bench/onload_start.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=${1:?build folder}
rounds=${2:-7}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
port=18766
coproc SERVER { exec python3 "$here/beacon_server.py" "$port"; }
trap 'kill "$SERVER_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
read -r _ _ <&"${SERVER[0]}" # ready
url() { echo "http://127.0.0.1:$port/$1"; }
ten=(); for i in $(seq 1 10); do ten+=("$(url "p$i.html")"); done

declare -A results
note() { results[$1]="${results[$1]:-} $2"; }

# run NAME BEACONS PSS? command...: ms from start to the first beacon of page 1
# (or "big"), to the last of BEACONS beacons; PSS taken at the first when asked.
run() {
  local name=$1 beacons=$2 pss=$3; shift 3
  local start first="" last n t pid
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  for ((k = 0; k < beacons; k++)); do
    read -r -t 60 n t <&"${SERVER[0]}" || { echo "no beacon for $name" >&2; break; }
    if [ -z "$first" ] && { [ "$n" = 1 ] || [ "$n" = big ]; }; then
      first=$t
      [ "$pss" = pss ] && note "$name.pss" "$(python3 "$here/tree_pss.py" "$pid")"
    fi
    last=$t
  done
  note "$name.visible" $(( (first - start) / 1000000 ))
  note "$name.all" $(( (last - start) / 1000000 ))
  # The engine's processes leave after the program; the next run starts once
  # they are gone (at most 5 s), so no run pays for the last one's teardown.
  local left; left=$(python3 "$here/tree_pss.py" --pids "$pid")
  kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
  for p in $left; do
    for ((w = 0; w < 250; w++)); do kill -0 "$p" 2>/dev/null || break; sleep 0.02; done
  done
}

# A fresh settings folder for every run: a killed program's web processes may
# still be writing into the last one.
runs=0
seed() { runs=$((runs + 1)); export PANDREL_CONFIG_DIR=$work/s$runs; "$build/bench/seed_store" "$@"; }
for ((r = 0; r < rounds; r++)); do
  seed "$(url p1.html)";                 run pandrel.one 1 pss "$build/app/pandrel"
  run bare.one 1 pss "$build/bench/bare_webkit_tabs" "$(url p1.html)"
  seed "$(url big.html)";                run pandrel.big 1 - "$build/app/pandrel"
  run bare.big 1 - "$build/bench/bare_webkit_tabs" "$(url big.html)"
  seed "${ten[@]}";                      run pandrel.ten 10 - "$build/app/pandrel"
  run bare.ten 10 - "$build/bench/bare_webkit_tabs" "${ten[@]}"
  seed --load-when-shown "${ten[@]}";    run pandrel.tenshown 1 pss "$build/app/pandrel"
  run bare.tenshown 1 pss "$build/bench/bare_webkit_tabs" --lazy "${ten[@]}"
done

median() { printf '%s\n' $1 | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
m() { median "${results[$1]}"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "medians of $rounds alternating rounds (ms; PSS MiB), load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "one page:      pandrel $(m pandrel.one.visible)  bare $(m bare.one.visible)  ratio $(ratio "$(m pandrel.one.visible)" "$(m bare.one.visible)")"
echo "large doc:     pandrel $(m pandrel.big.visible)  bare $(m bare.big.visible)  ratio $(ratio "$(m pandrel.big.visible)" "$(m bare.big.visible)")"
echo "10 pages off:  visible $(m pandrel.ten.visible) ($(ratio "$(m pandrel.ten.visible)" "$(m bare.one.visible)")x bare one page, $(ratio "$(m pandrel.ten.visible)" "$(m pandrel.one.visible)")x one-page)  all $(m pandrel.ten.all)  bare all $(m bare.ten.all)  ratio $(ratio "$(m pandrel.ten.all)" "$(m bare.ten.all)")"
echo "10 pages on:   visible $(m pandrel.tenshown.visible)  bare lazy $(m bare.tenshown.visible)  ratio $(ratio "$(m pandrel.tenshown.visible)" "$(m bare.tenshown.visible)")  ($(ratio "$(m pandrel.tenshown.visible)" "$(m pandrel.ten.visible)")x option off)"
echo "PSS MiB:       one page pandrel $(( $(m pandrel.one.pss) / 1024 )) bare $(( $(m bare.one.pss) / 1024 )) (+$(( ($(m pandrel.one.pss) - $(m bare.one.pss)) / 1024 )));  10 pages on: pandrel $(( $(m pandrel.tenshown.pss) / 1024 )) bare lazy $(( $(m bare.tenshown.pss) / 1024 ))"
