#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with emulated devices attached.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default -DMORVA_BUILD_TESTS=OFF -DMORVA_BUILD_BENCH=OFF >/dev/null
cmake --build --preset default

gui=build/bin/morva
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<MSG
There is no display here, so the window cannot open.
To see it anyway, take a screenshot on a virtual display:
    scripts/screenshot.sh demo.png      # then open demo.png
or run it on a machine with a desktop:  build/bin/morva --demo
MSG
    exit 0
fi
exec "$gui" --demo "$@"
