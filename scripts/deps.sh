#!/bin/sh
# Installs what building and testing need, when something is missing.
set -e
PKGS="build-essential cmake ninja-build ccache qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev \
libqt6sql6-sqlite libgl-dev libgtest-dev googletest socat xvfb xauth xdotool openbox \
fonts-liberation fonts-dejavu-core libxcb-cursor0 qt6-qpa-plugins \
dpkg-dev file desktop-file-utils appstream man-db lintian qt6-l10n-tools \
mdbtools-dev mdbtools pkg-config poppler-utils clang-format-14 \
at-spi2-core python3-pyatspi dbus-x11"
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
