#!/usr/bin/env bash
# Renders the five windows of VRN-PC at 100 % and 200 % into docs/screenshots/, under a virtual
# X server (Xvfb). The pictures depend on nothing of the machine but the Debian packages that
# scripts/deps.sh installs: the windows' face alone (no other font, no desktop or user font
# settings), fixed rendering (grey anti-aliasing, slight hinting), 96 dpi, the C locale and
# Qt's own theme, so any machine draws them pixel for pixel alike.
#   ./scripts/screenshots.sh
#   VRN_BUILD_DIR=build/x ./scripts/screenshots.sh         another build folder
#   VRN_SCREENSHOT_DIR=/tmp/shots ./scripts/screenshots.sh another folder for the pictures
#   VRN_SCREENSHOT_DISPLAY=:95 ./scripts/screenshots.sh    an X server already running (its X
#                                                          resources can change the pictures)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

build="${VRN_BUILD_DIR:-build/dev}"
out="${VRN_SCREENSHOT_DIR:-docs/screenshots}"

vrn_install_missing "${VRN_BUILD_PACKAGES[@]}" qt6-qpa-plugins xvfb xauth
if [ "$build" = build/dev ]; then
    cmake --preset dev
else
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
fi
cmake --build "$build" --target vrn-screenshots
mkdir -p "$out"

# A font configuration of its own: the folders of the windows' face package and nothing else.
fonts=$(mktemp -d)
trap 'rm -rf "$fonts"' EXIT
{
    echo '<?xml version="1.0"?>'
    echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
    echo '<fontconfig>'
    dpkg-query -L "${VRN_FONT_PACKAGES[@]}" | grep -E '\.(ttf|otf)$' | xargs -n 1 dirname \
        | sort -u | sed 's|.*|  <dir>&</dir>|'
    echo "  <cachedir>$fonts/cache</cachedir>"
    cat <<'EOF'
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="autohint" mode="assign"><bool>false</bool></edit>
    <edit name="rgba" mode="assign"><const>none</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcdnone</const></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
</fontconfig>
EOF
} >"$fonts/fonts.conf"

shoot() { # <scale> <suffix> [option...]
    local run=(env -u QT_SCREEN_SCALE_FACTORS -u QT_AUTO_SCREEN_SCALE_FACTOR
               -u QT_ENABLE_HIGHDPI_SCALING -u QT_SCALE_FACTOR_ROUNDING_POLICY -u QT_STYLE_OVERRIDE
               -u LANGUAGE LC_ALL=C.UTF-8 FONTCONFIG_FILE="$fonts/fonts.conf"
               QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME=generic QT_FONT_DPI=96
               QT_SCALE_FACTOR="$1" QT_LOGGING_RULES="qt.qpa.*=false"
               "$build/tools/vrn-screenshots" --output "$out" --suffix "$2" "${@:3}")
    if [ -n "${VRN_SCREENSHOT_DISPLAY:-}" ]; then
        DISPLAY="$VRN_SCREENSHOT_DISPLAY" "${run[@]}"
    else
        xvfb-run --auto-servernum --server-args="-screen 0 2560x1600x24 -dpi 96" "${run[@]}"
    fi
}

# The five windows as they open, pixel for pixel alike on every run; then, at 100 %, a Send
# and a Verify with the simulated card and the traffic log, whose pictures show the time of day.
shoot 1 ""
shoot 2 "@2x"
shoot 1 "" --commissioning
