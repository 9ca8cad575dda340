#!/usr/bin/env bash
# Installs what Pandrel needs, builds it with its tests and runs every test on a
# private virtual X server and a private D-Bus session.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DPANDREL_BUILD_TESTS=ON
cd build
exec ../scripts/with-display.sh env WEBKIT_DISABLE_COMPOSITING_MODE=1 ctest --output-on-failure "$@"
