#!/usr/bin/env bash
# Installs what Pandrel needs, builds it with its tests and runs every test on a
# private virtual X server and a private D-Bus session, then checks the package
# (scripts/check-package.sh).
#
#   scripts/test.sh               # build/ (RelWithDebInfo), every test, the package check
#   scripts/test.sh --sanitize    # build-asan/ with AddressSanitizer and
#                                 # UndefinedBehaviorSanitizer, every test
# Further arguments go to ctest; with arguments (a chosen set of tests) the
# package check is left out.
set -euo pipefail
cd "$(dirname "$0")/.."
sanitize=0
if [[ "${1:-}" == "--sanitize" ]]; then
  sanitize=1
  shift
fi
scripts/install-deps.sh
if [[ "$sanitize" == 0 ]]; then
  scripts/build.sh -DPANDREL_BUILD_TESTS=ON
  status=0
  (cd build && ../scripts/with-display.sh env WEBKIT_DISABLE_COMPOSITING_MODE=1 ctest --output-on-failure "$@") ||
    status=$?
  if (($# == 0)); then
    scripts/check-package.sh build || status=1
  fi
  exit "$status"
fi

# Any error stops the program (halt_on_error); leaks are not checked, since GTK, fontconfig
# and WebKit keep allocations for the process's life by design.
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPANDREL_BUILD_TESTS=ON \
  -DPANDREL_BUILD_BENCH=OFF -DPANDREL_HARDENING=OFF -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
exec ../scripts/with-display.sh env WEBKIT_DISABLE_COMPOSITING_MODE=1 \
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --output-on-failure "$@"
