#!/usr/bin/env bash
# Starts the GUI in demo mode on a virtual display and saves a screenshot of the screen.
# Usage: scripts/screenshot.sh [out.png] [seconds to wait before the shot] [extra program arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/demo-display.sh
out=${1:-screenshot.png}
wait_s=${2:-3}
shift $(( $# > 2 ? 2 : $# ))

demo_start_display 1280x800
demo_start_program "$@"
sleep "$wait_s"
mkdir -p "$(dirname "$out")"
DISPLAY=$DEMO_DISPLAY import -window root "$out"
echo "saved $out"
