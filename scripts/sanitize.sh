#!/bin/sh
# Builds every test under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them; any report fails the run.
set -e
cd "$(dirname "$0")/.."
./scripts/deps.sh
# The instrumented build keeps warnings as warnings: GCC warns falsely under
# the sanitizers' instrumentation; the plain build (./test.sh) holds every
# warning as an error.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DK52_SANITIZE=ON -DK52_WERROR=OFF
cmake --build build-sanitize
cd build-sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600
