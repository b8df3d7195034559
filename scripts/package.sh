#!/bin/sh
# Builds the Debian package build/k52util_VERSION_ARCH.deb (after
# ./test.sh only the packing is left to do) and checks it with lintian:
# an error or a warning fails the build. Install it with
#   sudo apt-get install ./build/k52util_*.deb
# The maintainer named in the package is the cache variable K52_MAINTAINER
# (cmake -DK52_MAINTAINER="NAME <MAIL>").
set -e
cd "$(dirname "$0")/.."
./scripts/deps.sh
# Configured for the prefix the package installs into: the programs find
# each other and their data by the paths between the installed folders.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build --target package
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb=build/k52util_${version}_$(dpkg --print-architecture).deb
lintian --show-overrides --fail-on error,warning "$deb"
echo "$deb: lintian reports no error and no warning"
