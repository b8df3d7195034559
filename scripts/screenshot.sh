#!/bin/sh
# Regenerates the README's pictures under docs/: the layout check's shots of
# the real window on a 1366x768 desktop with a window manager.
set -e
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target k52_ui_tests
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
K52_SCREENSHOT_DIR="$shots" sh tests/window/app/run_under_x.sh 1366x768 1 build/tests/k52_ui_tests \
  --gtest_filter='LayoutCheck.*'
for shot in commform termmode serial sertowie wiesetup wietowie utilities flashdl help wiring bitsize save_profile fleet; do
  cp "$shots/$shot.png" docs/
done
