#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run, skipping those present.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache   # build
    python3                                   # generators and the layer check
    libjsoncpp-dev                            # every JSON file
    libpugixml-dev                            # skin files (XML)
    libicu-dev                                # Unicode case folding of profile names
    libcurl4-openssl-dev                      # update downloads
    libudev-dev                               # hot-plug events of the hidraw nodes
    qt6-base-dev qt6-svg-dev                  # the GUI
    qt6-translations-l10n                     # Qt's own dialog texts in the interface's language
    libgtest-dev libgmock-dev libbenchmark-dev   # tests and benchmarks
    xvfb xauth xdotool imagemagick optipng    # GUI under a virtual display, screenshots
    fonts-liberation2                         # the free Arial-metric font shipped as Font/arial.ttf
    fonts-wqy-microhei                        # Chinese glyphs for the Chinese interface texts
    librsvg2-bin                              # the icon's PNG sizes (rsvg-convert)
    appstream desktop-file-utils              # validating the metainfo and the desktop entries
    dpkg-dev file                             # the Debian package (dpkg-shlibdeps, cpack)
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root (or sudo)." >&2; exit 1; }
    sudo=sudo
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
