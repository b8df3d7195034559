#!/bin/sh
# Builds the Debian package build/k52util_VERSION_ARCH.deb (after
# ./test.sh only the packing is left to do). Install it with
#   sudo apt-get install ./build/k52util_*.deb
set -e
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target package
