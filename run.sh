#!/bin/sh
# Build k52util and start it; arguments are passed on
# (none opens the main window, a subcommand runs headless).
set -e
cd "$(dirname "$0")"
./scripts/deps.sh >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target k52util k52sim >&2
exec ./build/k52util "$@"
