#!/bin/sh
# Regenerates the README's pictures under docs/ with a virtual X display.
set -e
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target k52_ui_tests
K52_SCREENSHOT_DIR="$PWD/docs" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1200x24" \
  build/tests/k52_ui_tests --gtest_filter='*Screenshots*'
