#!/bin/sh
# Runs a Windows program of the build under Wine, with the toolchain's DLLs
# and Qt plugins found, in the Wine prefix the tests use
# (K52_WINEPREFIX, default build-windows/wine).
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
prefix=${K52_WINDOWS_PREFIX_IN_USE:-$(K52_QUIET=1 "$here/toolchain.sh" 2>/dev/null | tail -n 1)}
export WINEPREFIX=${K52_WINEPREFIX:-$repo/build-windows/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEPATH="$(winepath -w "$prefix/bin" 2>/dev/null);$(winepath -w /usr/lib/gcc/x86_64-w64-mingw32/12-posix 2>/dev/null);$(winepath -w /usr/x86_64-w64-mingw32/lib 2>/dev/null)"
export QT_PLUGIN_PATH="$(winepath -w "$prefix/plugins" 2>/dev/null)"
exec wine "$@"
