#!/usr/bin/env bash
# Installs what Pandrel needs, builds it with its tests and runs every test on a
# private virtual X server and a private D-Bus session, then checks the package
# (scripts/check-package.sh). Arguments go to ctest; with arguments (a chosen
# set of tests) the package check is left out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DPANDREL_BUILD_TESTS=ON
status=0
(cd build && ../scripts/with-display.sh env WEBKIT_DISABLE_COMPOSITING_MODE=1 ctest --output-on-failure "$@") ||
  status=$?
if (($# == 0)); then
  scripts/check-package.sh build || status=1
fi
exit "$status"
