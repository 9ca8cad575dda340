#!/usr/bin/env bash
# Installs what Pandrel needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DPANDREL_BUILD_TESTS=OFF
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: starting Pandrel on a virtual X server (Xvfb)." >&2
  exec scripts/with-display.sh build/app/pandrel
fi
exec build/app/pandrel
