#!/usr/bin/env bash
# Starts the GUI in demo mode on a virtual display and saves a screenshot of the screen.
# Usage: scripts/screenshot.sh [out.png] [seconds to wait before the shot] [extra program arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshot.png}
wait_s=${2:-3}
shift $(( $# > 2 ? 2 : $# ))

# Any existing build will do (MORVA_BUILD_DIR picks one); otherwise the default one is made.
gui=${MORVA_BUILD_DIR:-build}/bin/morva
if [ -z "${MORVA_BUILD_DIR:-}" ] && [ ! -x "$gui" ] && [ -x build-ci/bin/morva ]; then
    gui=build-ci/bin/morva
fi
if [ ! -x "$gui" ]; then
    scripts/install-deps.sh
    cmake --preset default -DMORVA_BUILD_TESTS=OFF -DMORVA_BUILD_BENCH=OFF >/dev/null
    cmake --build --preset default --target morva
fi

display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
runtime=$(mktemp -d)
chmod 700 "$runtime"
# A fresh user: no stored background, English texts (language identifier 1033).
mkdir -p "$runtime/config/QT4410-VIGOR MORVA" "$runtime/data"
echo '{ "LANGUAGE" : 1033 }' >"$runtime/config/QT4410-VIGOR MORVA/settings.json"
cleanup() {
    [ -n "${gui_pid:-}" ] && kill "$gui_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT
for _ in $(seq 50); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done

DISPLAY=$display XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$runtime/config XDG_DATA_HOME=$runtime/data \
    "$gui" --demo "$@" &
gui_pid=$!
sleep "$wait_s"
mkdir -p "$(dirname "$out")"
DISPLAY=$display import -window root "$out"
echo "saved $out"
