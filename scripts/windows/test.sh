#!/bin/sh
# The Windows programs under Wine:
#  1. the suite's tests that need no pseudo-terminal, as Windows programs
#     through CTest;
#  2. end to end: k52sim on a pseudo-terminal on the Linux side, linked as
#     Wine's COM5; the Windows k52util.com programs the converter, reads and
#     writes a clone and downloads firmware through --port 5, and the
#     simulator's log and the clone file must be byte for byte those of the
#     Linux k52util's same run;
#  3. the setup program: silent install into a fresh Wine prefix, the
#     installed k52util.com lists "Default" and hands a report to
#     k52util.exe, the window starts under Xvfb
#     (picture: build-windows/window.png), silent uninstall removes the
#     files and the Apps & Features entry.
# Runs package.sh first (the setup is what part 3 installs).
#   K52_WINDOWS_PARTS  which parts to run (default "1 2 3")
set -e
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
out="$repo/build-windows"
parts=${K52_WINDOWS_PARTS:-1 2 3}
"$here/package.sh" >/dev/null
export K52_WINDOWS_PREFIX_IN_USE=$("$here/toolchain.sh" 2>/dev/null | tail -n 1)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export K52_WINEPREFIX="$out/wine"
work=$(mktemp -d)
sims=""
cleanup() {
  for p in $sims; do kill "$p" 2>/dev/null || true; done
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  WINEPREFIX="$K52_WINEPREFIX" wineserver -k 2>/dev/null || true
  [ -n "$fresh" ] && WINEPREFIX="$fresh" wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

case " $parts " in *" 1 "*)
  echo "== 1. tests under Wine"
  "$here/build.sh" >/dev/null
  (cd "$out" && ctest --output-on-failure -j2 --timeout 300) || fail "tests under Wine"
  ;;
esac

case " $parts " in *" 2 "*)
  echo "== 2. end to end against k52sim, Windows beside Linux"
  cmake -S "$repo" -B "$repo/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  nice -n 10 cmake --build "$repo/build" -j2 --target k52util k52sim >/dev/null
  "$here/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true # the Wine prefix, made once
  head -c 300 /dev/urandom >"$work/fw.bin"
  wfw=$(WINEPREFIX="$K52_WINEPREFIX" winepath -w "$work/fw.bin" 2>/dev/null)
  pace=${K52_PACE:-}
  # One action on one side, timed.
  act() { # side label arguments...
    side=$1 label=$2
    shift 2
    start=$(date +%s.%N)
    if [ "$side" = windows ]; then
      (cd "$out" && "$here/wine-run.sh" ./k52util.com --db 'c:\zor-test\k52.db' "$@" --port 5 --baud 9600 --parity 0) >"$work/out" 2>&1 ||
        { cat "$work/out"; fail "Windows: $label"; }
    else
      "$repo/build/k52util" --db "$work/linux.db" "$@" --port "$work/ttyK52" --baud 9600 --parity 0 >"$work/out" 2>&1 ||
        { cat "$work/out"; fail "Linux: $label"; }
    fi
    printf "%-8s %-12s %6.2f s\n" "$side" "$label" "$(awk "BEGIN { print $(date +%s.%N) - $start }")"
  }
  # One run: the simulator on a fresh pseudo-terminal, then the four actions.
  run() { # side (linux|windows)
    side=$1
    if [ "$side" = windows ]; then link="$K52_WINEPREFIX/dosdevices/com5"; else link="$work/ttyK52"; fi
    "$repo/build/tools/k52sim" --log "$work/$side.log" --link "$link" ${pace:+--pace "$pace"} >"$work/$side.dev" &
    sims="$sims $!"
    while [ ! -s "$work/$side.dev" ]; do sleep 0.1; done
    if [ "$side" = windows ]; then clone='c:\zor-test\clone.dat' fw=$wfw; else clone=$work/linux.clone fw=$work/fw.bin; fi
    act "$side" program program
    act "$side" "clone read" clone read "$clone"
    act "$side" "clone write" clone write "$clone"
    act "$side" flash flash "$fw"
  }
  run linux
  run windows
  cmp "$work/linux.log" "$work/windows.log" || fail "the simulator heard different bytes"
  cmp "$work/linux.clone" "$K52_WINEPREFIX/drive_c/zor-test/clone.dat" || fail "the clone files differ"
  echo "same bytes: $(wc -c <"$work/linux.log") bytes of the simulator's log, $(wc -c <"$work/linux.clone") bytes of clone"
  # The console program hands the report (it draws) to the window program.
  (cd "$out" && "$here/wine-run.sh" ./k52util.com --db 'c:\zor-test\k52.db' history report 1 'c:\zor-test\r.pdf') \
    >"$work/out" 2>&1 || { cat "$work/out"; fail "Windows: history report"; }
  [ "$(head -c 4 "$K52_WINEPREFIX/drive_c/zor-test/r.pdf")" = %PDF ] || fail "Windows: history report wrote no PDF"
  rm -rf "$K52_WINEPREFIX/drive_c/zor-test"
  ;;
esac

case " $parts " in *" 3 "*)
  echo "== 3. the setup program in a fresh Wine prefix"
  fresh="$work/wine-fresh"
  export WINEPREFIX="$fresh"
  wine "$out/k52util-1.99-setup.exe" /S || fail "silent install"
  wineserver -w
  installed="$fresh/drive_c/Program Files/Converter Utility"
  [ -f "$installed/k52util.com" ] && [ -f "$installed/k52util.exe" ] || fail "nothing installed in Program Files"
  listed=$(cd "$installed" && wine ./k52util.com profiles list | tr -d '\r')
  [ "$listed" = Default ] || fail "the installed k52util.com lists: $listed"
  # What the window program says reaches k52util.com's console, with its exit status.
  rc=0
  said=$(cd "$installed" && wine ./k52util.com history report 1 'c:\r.pdf' 2>&1) || rc=$?
  [ "$rc" = 1 ] || fail "k52util.com history report of a row that does not exist exited $rc: $said"
  case $said in *"no history row 1"*) ;; *) fail "k52util.com history report said: $said" ;; esac
  [ -d "$fresh/drive_c/zor" ] || fail "c:\\zor was not created"
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\k52util' /v DisplayVersion |
    grep -q 1.99 || fail "no Apps & Features entry"
  # The window, under Xvfb with a window manager.
  export DISPLAY=:57
  Xvfb $DISPLAY -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  openbox >/dev/null 2>&1 &
  sims="$sims $!"
  # Through the console program, which starts the window program.
  (cd "$installed" && wine ./k52util.com) >/dev/null 2>&1 &
  app=$!
  found=""
  for _ in $(seq 60); do
    sleep 1
    if xdotool search --name "Converter Utility" >/dev/null 2>&1 || xdotool search --name "K52" >/dev/null 2>&1; then
      found=1
      break
    fi
  done
  [ -n "$found" ] || fail "the window did not open"
  sleep 3
  import -window root "$out/window.png" 2>/dev/null || xwd -root -silent | convert xwd:- "$out/window.png"
  kill $app 2>/dev/null || true
  wineserver -k || true
  wine "$installed/uninstall.exe" /S || fail "silent uninstall"
  wineserver -w
  sleep 2
  [ ! -e "$installed/k52util.com" ] || fail "the uninstaller left the program"
  ! wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\k52util' >/dev/null 2>&1 ||
    fail "the Apps & Features entry is still there"
  [ -d "$fresh/drive_c/zor" ] || fail "the uninstaller removed c:\\zor"
  echo "installed, listed Default, opened the window, uninstalled; setup $(du -h "$out/k52util-1.99-setup.exe" | cut -f1)"
  ;;
esac
echo "Windows tests passed"
