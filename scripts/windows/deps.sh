#!/bin/sh
# Installs what the Windows build, its setup program and the Wine tests need
# (kept apart from scripts/deps.sh so the Linux build stays lean).
set -e
PKGS="g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
wine wine64 nsis zip unzip xz-utils imagemagick librsvg2-bin icoutils \
googletest socat xvfb xauth xdotool openbox"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends $missing
