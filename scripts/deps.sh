#!/usr/bin/env bash
# Installs the Debian packages the build needs, if any is missing, and picks the build folder
# (vrn_build_dir). Sourced by the scripts under scripts/.
vrn_install_missing() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# The face every text of the windows is drawn in (Liberation Sans): the program asks for it by
# name, the tests check the layouts with it and the screenshots are drawn with it alone.
VRN_FONT_PACKAGES=(fonts-liberation2)

# qt6-translations-l10n: Qt's own texts in the languages of translations/*.ts, which the build
# puts into the program beside ours (for the Windows build too).
VRN_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgl-dev qt6-base-dev qt6-serialport-dev
                    qt6-l10n-tools qt6-translations-l10n librsvg2-bin "${VRN_FONT_PACKAGES[@]}")

# What the tests use beyond the build: pdftotext and pdfinfo read the commissioning record back
# (its tests skip when they are missing).
VRN_TEST_PACKAGES=(poppler-utils)
# The Windows build (scripts/windows.sh): MinGW-w64 compilers and wine, librsvg2-bin and icoutils
# for the program's icon, zip for the package, and a virtual X server (xvfb, xauth, x11-utils) for
# starting the packed program; wixl builds the .msi and msitools' msiinfo reads it back.
VRN_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
                      binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64 librsvg2-bin icoutils
                      zip unzip xvfb xauth x11-utils wixl msitools)
# The screen-reader check (scripts/screen-reader.sh): Debian's AT-SPI client for Python, the
# accessibility bus and its registry, a D-Bus session of its own, a virtual X server with its
# cookie for the program's xcb platform, and pdftotext to read the saved record back.
VRN_SCREEN_READER_PACKAGES=(python3-pyatspi at-spi2-core dbus xvfb xauth qt6-qpa-plugins
                            poppler-utils)
# The package check (scripts/check-package.sh): dpkg-dev for the package's library dependencies
# and udev's udevadm, which reads the packaged rule as the system does.
VRN_PACKAGE_CHECK_PACKAGES=(dpkg-dev udev)

# Sets $build, the build folder a script works in: $BUILD_DIR when it is set (an existing build
# folder, taken as it is), else build/<preset>, configured with that CMake preset first (the
# build's packages installed when missing).
#   vrn_build_dir release
vrn_build_dir() {
    if [ -n "${BUILD_DIR:-}" ]; then
        build=$BUILD_DIR
    else
        vrn_install_missing "${VRN_BUILD_PACKAGES[@]}"
        cmake --preset "$1" >/dev/null
        build=build/$1
    fi
}
