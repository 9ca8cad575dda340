#!/usr/bin/env bash
# Time from process start until the main window is mapped, for Pandrel and for
# a bare gtkmm window, measured alternately in one run. Needs a display (run it
# through scripts/with-display.sh).
# Usage: bench/startup.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=${1:?build folder}
rounds=${2:-15}
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

# A store in which the welcome has been shown and profile 1 holds one blank
# page, so nothing waits for the user or leaves the machine.
sqlite_seed() {
  PANDREL_CONFIG_DIR=$config "$build/bench/seed_store" about:blank
}

time_until_mapped() { # title command...: microseconds, from the display's map events
  "$build/bench/map_time" "$@"
}

sqlite_seed
pandrel=(); bare=()
for ((i = 0; i < rounds; i++)); do
  pandrel+=("$(PANDREL_CONFIG_DIR=$config time_until_mapped 'Kestrane Pandrel 2.0' "$build/app/pandrel")")
  bare+=("$(time_until_mapped 'Bare Window' "$build/bench/bare_window")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
p=$(median "${pandrel[@]}"); b=$(median "${bare[@]}")
echo "start-up to window mapped, median of $rounds: pandrel ${p} us, bare gtkmm ${b} us, ratio $(awk -v p="$p" -v b="$b" 'BEGIN {printf "%.2f", p / b}')"
