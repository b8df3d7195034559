#!/bin/sh
# run_under_x.sh WIDTHxHEIGHT SCALE PROGRAM [ARGS...]
# Runs PROGRAM on a virtual X display of that size, with a small window
# manager and Qt's scale factor SCALE; both go away with the program.
set -u
size=$1
scale=$2
shift 2
for tool in xvfb-run openbox; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool is missing: run scripts/deps.sh" >&2
    exit 1
  fi
done
# Under the sanitizers the X client libraries' caches, kept until exit,
# would read as leaks of ours.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export ASAN_OPTIONS
exec xvfb-run -a -s "-screen 0 ${size}x24 -dpi 96 -nolisten tcp" sh -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$0" "$@"
  rc=$?
  kill "$wm" 2>/dev/null
  wait "$wm" 2>/dev/null
  exit $rc' "$scale" "$@"
