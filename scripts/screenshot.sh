#!/bin/sh
# Regenerates the README's pictures under docs/: the layout check's shots of
# the real window on a 1366x768 desktop with a window manager.
set -e
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target k52_ui_tests k52util
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
K52_SCREENSHOT_DIR="$shots" sh tests/window/app/run_under_x.sh 1366x768 1 build/tests/k52_ui_tests \
  --gtest_filter='LayoutCheck.*'
for shot in commform termmode serial sertowie wiesetup wietowie utilities flashdl help wiring bitsize save_profile fleet; do
  cp "$shots/$shot.png" docs/
done
# Three screens again in German, with the build tree's catalogue.
rm -f "$shots"/*.png
K52_TEST_LANGUAGE=de K52_SCREENSHOT_DIR="$shots" sh tests/window/app/run_under_x.sh 1366x768 1 build/tests/k52_ui_tests \
  --gtest_filter='LayoutCheck.*'
for shot in serial sertowie utilities; do
  cp "$shots/$shot.png" "docs/de-$shot.png"
done
