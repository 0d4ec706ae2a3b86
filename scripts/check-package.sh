#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 root made with debootstrap, with the
# dependencies apt resolves for it, and runs the installed programs there.
# Usage: scripts/check-package.sh [package.deb] [root folder]
# Needs root, debootstrap and the network (the mirror of this machine's apt sources). Slow: the
# root is kept and reused by later runs; delete the folder to start from scratch.
set -euo pipefail

cd "$(dirname "$0")/.."
deb=${1:-$(ls -t build-package/morva_*.deb 2>/dev/null | head -n1 || true)}
root=${2:-build-package/debian-root}
[ -n "$deb" ] && [ -f "$deb" ] || { echo "No package: run scripts/package.sh first" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "debootstrap and chroot need root" >&2; exit 1; }
command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap

# The same Debian mirror apt uses here.
mirror=$(grep -hoE '^(URIs:|deb) *https?://[^ ]+/debian/?( |$)' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list \
    2>/dev/null | grep -oE 'https?://[^ ]+' | head -n1 || true)
mirror=${mirror:-http://deb.debian.org/debian}
mirror=${mirror%/}

if [ ! -x "$root/usr/bin/apt-get" ]; then
    echo "== debootstrap bookworm into $root from $mirror"
    rm -rf "$root"
    debootstrap --variant=minbase bookworm "$root" "$mirror"
fi
cat > "$root/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb ${mirror%/debian}/debian-security bookworm-security main
SOURCES

mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT

cp "$deb" "$root/tmp/morva.deb"
run() { echo "\$ $*"; chroot "$root" env LANG=C.UTF-8 "$@"; }
run apt-get update -qq
run env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall /tmp/morva.deb
run dpkg -s morva
run morvactl --version
run morvactl --demo devices
run env QT_QPA_PLATFORM=offscreen morva --version
# The GUI starts with its shipped files and keeps running until it is stopped.
mkdir -p -m 0700 "$root/tmp/morva-runtime"
status=0
run timeout 5 env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/morva-runtime HOME=/root \
    morva --demo || status=$?
[ $status -eq 124 ] || { echo "morva --demo ended by itself with $status" >&2; exit 1; }
echo "(morva --demo was still running after 5 s)"
echo "== the package installs and its programs run"
