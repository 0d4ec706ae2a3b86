#!/usr/bin/env bash
# Saves a picture of each device page in demo mode for the README: starts the program on a
# virtual display, clicks each device tab and saves the window as docs/<page>.png. The keyboard
# page is taken twice, a moment apart, to show that its lighting runs: the two frames must differ.
# Usage: scripts/screenshots.sh [out folder (docs)] [screen size (1280x800: scale 1)]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/demo-display.sh
out=${1:-docs}
screen=${2:-1280x800}
mkdir -p "$out"

demo_start_display "$screen"
# shellcheck disable=SC2119 # the demo as it starts, without extra arguments
demo_start_program
export DISPLAY=$DEMO_DISPLAY
window=$(xdotool search --sync --onlyvisible --pid "$demo_gui_pid" --name 'MORVA' | head -n 1)
sleep 3
eval "$(xdotool getwindowgeometry --shell "$window")"  # WIDTH, HEIGHT, X, Y

# The device bar's tab icons, in 1000 × 640 window units: under the 40-unit title bar, the
# first icon's centre 65 units from the left and the next ones 168 units apart.
scale_x() { echo $(( X + $1 * WIDTH / 1000 )); }
scale_y() { echo $(( Y + $1 * HEIGHT / 640 )); }
tab_x() { scale_x $(( 65 + $1 * 168 )); }

shoot() {
    # The screen, cut to the window: a grab of the window itself sometimes came back unchanged
    # while the screen showed new frames.
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
    optipng -quiet -o2 -strip all "$1" 2>/dev/null || convert "$1" -strip -define png:compression-level=9 "$1"
}

show_tab() {
    xdotool mousemove "$(tab_x "$1")" "$(scale_y 72)" click 1
    # Away from the window, so no tool tip covers the page; the clicked window stays active,
    # and the preview runs while it is.
    xdotool mousemove "$(( X + WIDTH + 10 ))" "$(( Y + HEIGHT + 10 ))"
    sleep 2
}

# The demo's tabs, in device-bar order: mouse, keyboard, pad, headset, second keyboard.
show_tab 1
shoot "$out/keyboard.png"
sleep 0.7
shoot "$out/keyboard-2.png"
differing=$(compare -metric AE "$out/keyboard.png" "$out/keyboard-2.png" null: 2>&1 || true)
if [ "${differing%% *}" = "0" ]; then
    echo "the keyboard page did not change between the two frames: is its lighting running?" >&2
    exit 1
fi
echo "keyboard page animates: $differing pixels differ between the two frames"
for page in 0:mouse 2:mousepad 3:headset; do
    show_tab "${page%%:*}"
    shoot "$out/${page#*:}.png"
done
ls -l "$out"/keyboard.png "$out"/keyboard-2.png "$out"/mouse.png "$out"/mousepad.png "$out"/headset.png
