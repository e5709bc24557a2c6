#!/usr/bin/env bash
# Renders the five windows of VRN-PC at 100 % and 200 % into docs/screenshots/, under a virtual
# X server (Xvfb), so it runs the same on a desktop and on a build machine.
#   ./scripts/screenshots.sh
#   VRN_BUILD_DIR=build/x ./scripts/screenshots.sh         another build folder
#   VRN_SCREENSHOT_DISPLAY=:95 ./scripts/screenshots.sh    an X server already running
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

build="${VRN_BUILD_DIR:-build/dev}"
out=docs/screenshots

vrn_install_missing "${VRN_BUILD_PACKAGES[@]}" qt6-qpa-plugins xvfb xauth fonts-dejavu-core
if [ "$build" = build/dev ]; then
    cmake --preset dev
else
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
fi
cmake --build "$build" --target vrn-screenshots
mkdir -p "$out"

shoot() { # <scale> <suffix>
    local run=(env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$1" QT_LOGGING_RULES="qt.qpa.*=false"
               "$build/tools/vrn-screenshots" --output "$out" --suffix "$2")
    if [ -n "${VRN_SCREENSHOT_DISPLAY:-}" ]; then
        DISPLAY="$VRN_SCREENSHOT_DISPLAY" "${run[@]}"
    else
        xvfb-run --auto-servernum --server-args="-screen 0 2560x1600x24" "${run[@]}"
    fi
}

shoot 1 ""
shoot 2 "@2x"
