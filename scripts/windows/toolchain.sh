#!/bin/sh
# The Windows cross toolchain: Qt (qtbase, qtserialport), SQLite and libmdb
# built for Windows x86_64 with Debian's MinGW-w64 compiler, in one prefix
# outside the clone. Prints the prefix on its last line.
#
#   K52_WINDOWS_PREFIX   where the prefix goes
#                        (default ~/.cache/k52util/mingw-<key>; the key is a
#                        hash of this script and of the sources' sums)
#   K52_WINDOWS_SOURCES  the source archives with SHA256SUMS
#                        (default: shared/windows-sources beside the clone
#                        or one folder further up, for a git worktree)
#   K52_WINDOWS_PREBUILT the prebuilt prefix archive with SHA256SUMS
#                        (default: shared/windows-toolchain, found the same
#                        way); unpacked
#                        instead of building when it was made from exactly
#                        these sources
#   K52_WINDOWS_FROM_SOURCE=1  build from the sources even so
#
# `toolchain.sh --check` only says whether the prefix is there or the
# prebuilt archive can make it (exit 0), or why not (exit 1), installing
# and building nothing.
#
# Nothing happens when the prefix exists. A build from the sources takes
# about an hour on two cores; unpacking the prebuilt archive, seconds.
set -e
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)

shared=$repo/../shared
[ -d "$shared" ] || shared=$repo/../../shared
sources=${K52_WINDOWS_SOURCES:-$shared/windows-sources}
prebuilt=${K52_WINDOWS_PREBUILT:-$shared/windows-toolchain}
[ -f "$sources/SHA256SUMS" ] || {
  echo "toolchain.sh: no $sources/SHA256SUMS (set K52_WINDOWS_SOURCES)" >&2
  exit 1
}
sums_sum=$(sha256sum "$sources/SHA256SUMS" | cut -d' ' -f1)
key=$(cat "$0" "$sources/SHA256SUMS" | sha256sum | cut -c1-16)
prefix=${K52_WINDOWS_PREFIX:-$HOME/.cache/k52util/mingw-$key}

prebuilt_fits() {
  [ -z "$K52_WINDOWS_FROM_SOURCE" ] && [ -f "$prebuilt/SHA256SUMS" ] &&
    grep -q "$sums_sum" "$prebuilt/README.md" 2>/dev/null
}
if [ "$1" = --check ]; then
  if [ -f "$prefix/.complete" ]; then
    echo "the Windows toolchain is cached in $prefix"
  elif prebuilt_fits; then
    echo "the prebuilt Windows toolchain is in $prebuilt"
  else
    echo "no Windows toolchain: neither $prefix nor a prebuilt archive made from $sources is there (scripts/windows/toolchain.sh builds one in about an hour)"
    exit 1
  fi
  exit 0
fi
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
"$here/deps.sh" >&2

# The prebuilt archive names the sums file it was made from in its README.
if prebuilt_fits; then
  echo "toolchain.sh: unpacking the prebuilt prefix from $prebuilt" >&2
  (cd "$prebuilt" && sha256sum --quiet -c SHA256SUMS) >&2
  rm -rf "$prefix.part"
  mkdir -p "$prefix.part"
  tar -xJf "$prebuilt/k52-mingw-qt6.4.2.tar.xz" -C "$prefix.part" --strip-components=1
  touch "$prefix.part/.complete"
  rm -rf "$prefix"
  mv "$prefix.part" "$prefix"
  echo "$prefix"
  exit 0
fi

# Built from the sources.
echo "toolchain.sh: building the prefix from $sources (about an hour)" >&2
(cd "$sources" && sha256sum --quiet -c SHA256SUMS) >&2
P="$prefix.part"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$P"
mkdir -p "$P/lib" "$P/include"
jobs=${K52_JOBS:-2}
CC=x86_64-w64-mingw32-gcc-posix
cat >"$P/mingw-w64-x86_64.cmake" <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
get_filename_component(_k52_prefix "${CMAKE_CURRENT_LIST_DIR}" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH "${_k52_prefix}" /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC

# SQLite: the amalgamation, static.
tar -xJf "$sources/sqlite3_3.40.1.orig.tar.xz" -C "$work"
(cd "$work/sqlite3-3.40.1" && ./configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null &&
  $CC -O2 -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_THREADSAFE=1 -c sqlite3.c -o sqlite3.o &&
  x86_64-w64-mingw32-ar rcs "$P/lib/libsqlite3.a" sqlite3.o && cp sqlite3.h sqlite3ext.h "$P/include/")

# qtbase, with Debian's Qt of the same version as the host tools.
tar -xJf "$sources/qt6-base_6.4.2+dfsg.orig.tar.xz" -C "$work"
mkdir "$work/qtbase-build"
(cd "$work/qtbase-build" && nice -n 10 "$work/qtbase-everywhere-src-6.4.2/configure" -prefix "$P" -release -shared \
  -xplatform win32-g++ -qt-host-path /usr -nomake examples -nomake tests -no-opengl -no-dbus -no-icu \
  -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -no-feature-sql-odbc \
  -no-feature-sql-psql -no-feature-sql-mysql -sql-sqlite -system-sqlite -- \
  -DCMAKE_TOOLCHAIN_FILE="$P/mingw-w64-x86_64.cmake" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo -DSQLite3_INCLUDE_DIR="$P/include" \
  -DSQLite3_LIBRARY="$P/lib/libsqlite3.a" -DFEATURE_tabletevent=OFF -G Ninja &&
  nice -n 10 cmake --build . -j"$jobs" && cmake --install .)

# qtserialport.
tar -xJf "$sources/qtserialport-everywhere-src-6.4.2.tar.xz" -C "$work"
mkdir "$work/serial-build"
(cd "$work/serial-build" && "$P/bin/qt-configure-module" "$work/qtserialport-everywhere-src-6.4.2" -- -G Ninja &&
  nice -n 10 cmake --build . -j"$jobs" && cmake --install .)

# libmdb without GLib.
tar -xJf "$sources/mdbtools-1.0.0.tar.xz" -C "$work"
(cd "$work/mdbtools-1.0.0" && autoreconf -i -f >/dev/null &&
  ./configure --host=x86_64-w64-mingw32 --prefix="$P" --disable-glib --disable-man --enable-shared \
    --disable-static CC=$CC >/dev/null &&
  nice -n 10 make -j"$jobs" -C src/libmdb install >/dev/null &&
  cp include/mdbtools.h include/mdbfakeglib.h include/mdbver.h "$P/include/")

touch "$P/.complete"
rm -rf "$prefix"
mv "$P" "$prefix"
echo "$prefix"
