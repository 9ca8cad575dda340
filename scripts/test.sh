#!/usr/bin/env bash
# Installs what Pandrel needs, builds it with its tests and runs every test on a
# private virtual X server and a private D-Bus session.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DPANDREL_BUILD_TESTS=ON
cd build
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" \
  env WEBKIT_DISABLE_COMPOSITING_MODE=1 ctest --output-on-failure "$@"
