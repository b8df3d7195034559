#!/bin/sh
# Installs the built package into a fresh Debian 12 root with apt-get, as a
# user would, and runs the installed program there. Needs root; the root is
# made with debootstrap (minbase) unless ROOT names one made before.
#   scripts/check_deb_install.sh [ROOT]
set -eu
cd "$(dirname "$0")/.."
deb=$(ls build/k52util_*.deb)
root=${1:-$(mktemp -d)}
if [ ! -x "$root/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null || { echo "debootstrap is needed (apt-get install debootstrap)" >&2; exit 1; }
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi
cp "$deb" "$root/tmp/"
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive HOME=/root "$@"; }
in_root apt-get update
in_root apt-get install -y "/tmp/$(basename "$deb")"
in_root k52util --version
in_root env QT_QPA_PLATFORM=offscreen k52util profiles list
in_root test -f /usr/share/doc/k52util/copyright
in_root test ! -e /var/lib/dpkg/info/k52util.postinst
echo "$deb installs and runs in a fresh Debian 12 root"
