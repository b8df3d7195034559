#!/bin/sh
# run_atspi.sh K52UTIL: the real window on a virtual display with a window
# manager and the accessibility bus; atspi_check.py then walks what a screen
# reader sees.
set -u
util=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run openbox dbus-run-session python3; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool is missing: run scripts/deps.sh" >&2
    exit 1
  fi
done
launcher=/usr/libexec/at-spi-bus-launcher
# The system's Python, where the distribution's pyatspi lives.
py=/usr/bin/python3
[ -x "$py" ] || py=python3
if [ ! -x "$launcher" ] || ! "$py" -c 'import pyatspi' 2>/dev/null; then
  echo "at-spi2-core or python3-pyatspi is missing: run scripts/deps.sh" >&2
  exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/run" && chmod 700 "$tmp/run"
export HOME="$tmp" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run"
"$util" --db "$tmp/a.db" profiles list >/dev/null 2>&1
xvfb-run -a -s "-screen 0 1366x768x24 -nolisten tcp" dbus-run-session -- sh -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  "$3" --launch-immediately >/dev/null 2>&1 &
  bus=$!
  sleep 1
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$0" --db "$1/a.db" &
  app=$!
  "$4" "$2" k52util
  rc=$?
  kill "$app" "$bus" "$wm" 2>/dev/null
  wait 2>/dev/null
  exit $rc' "$util" "$tmp" "$here/atspi_check.py" "$launcher" "$py"
