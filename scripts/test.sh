#!/usr/bin/env bash
# Installs what Pandrel needs, builds it with its tests and runs every test on a
# private virtual X server and a private D-Bus session, checks the package
# (scripts/check-package.sh), then builds the tests again with AddressSanitizer
# and UndefinedBehaviorSanitizer and runs every test once more
# (scripts/test-sanitized.sh).
#
#   scripts/test.sh               # all of the above; fails if any part fails
#   scripts/test.sh -R store      # build/ only, the chosen tests (arguments go to ctest)
#   scripts/test.sh --sanitize    # build-asan/ only, every test (further arguments go to ctest)
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ "${1:-}" == "--sanitize" ]]; then
  shift
  scripts/install-deps.sh
  exec scripts/test-sanitized.sh "$@"
fi
scripts/install-deps.sh
scripts/build.sh -DPANDREL_BUILD_TESTS=ON
status=0
(cd build && ../scripts/with-display.sh env WEBKIT_DISABLE_COMPOSITING_MODE=1 ctest --output-on-failure "$@") ||
  status=$?
if (($# == 0)); then
  scripts/check-package.sh build || status=1
  scripts/test-sanitized.sh || status=1
fi
exit "$status"
