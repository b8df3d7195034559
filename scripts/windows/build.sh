#!/bin/sh
# Cross-builds the programs and the tests for Windows x86_64 into
# build-windows/ from the same CMake lists as the Linux build. GoogleTest is
# cross-built from Debian's sources under /usr/src/googletest. The tests run
# under Wine through CTest (scripts/windows/test.sh).
#   K52_JOBS  parallel build jobs (default 2)
set -e
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
prefix=$("$here/toolchain.sh" | tail -n 1)
out="$repo/build-windows"
jobs=${K52_JOBS:-2}
toolchain="$prefix/lib/cmake/Qt6/qt.toolchain.cmake"

# GoogleTest for Windows, once per build folder.
gtest="$out/googletest"
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$out/googletest-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$gtest" \
    -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF >/dev/null
  nice -n 10 cmake --build "$out/googletest-build" -j"$jobs" >/dev/null
  cmake --install "$out/googletest-build" >/dev/null
fi

PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH="" \
  cmake -S "$repo" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DGTest_DIR="$gtest/lib/cmake/GTest" \
  -DCMAKE_FIND_ROOT_PATH="$gtest" -DCMAKE_CROSSCOMPILING_EMULATOR="$here/wine-run.sh"
nice -n 10 cmake --build "$out" -j"$jobs" "$@"
