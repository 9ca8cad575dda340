#!/usr/bin/env bash
# Builds Pandrel and its tests in build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test (arguments go to ctest).
#
# The build is kept cheap for a 2-core machine: -O1 with line tables only, no
# benchmarks. Any error stops the program; leaks are not checked, since GTK,
# fontconfig and WebKit keep allocations for the process's life by design.
# Reports that come from inside those libraries, not from our use of them, are
# suppressed by the files in scripts/sanitizer-suppressions/, each entry with its reason.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
# GCC's flow warnings see the sanitizers' added checks as paths that never run
# (false "may be used uninitialized" and "bound exceeds maximum object size"
# inside libstdc++); the normal build keeps them.
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -Wno-maybe-uninitialized -Wno-stringop-overflow"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPANDREL_BUILD_TESTS=ON \
  -DPANDREL_BUILD_BENCH=OFF -DPANDREL_HARDENING=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j"$(nproc)"
supp=$here/scripts/sanitizer-suppressions
cd build-asan
exec ../scripts/with-display.sh env WEBKIT_DISABLE_COMPOSITING_MODE=1 \
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:suppressions=$supp/asan.supp \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp \
  ctest --output-on-failure "$@"
