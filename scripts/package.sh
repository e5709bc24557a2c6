#!/usr/bin/env bash
# Builds the Debian package of VRN-PC (optimised, without the tests) and prints where it is.
#   ./scripts/package.sh                      into build/package/
#   VRN_PACKAGE_DIR=/tmp/p ./scripts/package.sh   into a build folder of your choice
# Install it with:  sudo apt-get install ./build/package/vrn-pc_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

build="${VRN_PACKAGE_DIR:-build/package}"

# dpkg-dev brings dpkg-shlibdeps, which writes the package's library dependencies.
vrn_install_missing "${VRN_BUILD_PACKAGES[@]}" dpkg-dev
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build"
(cd "$build" && cpack -G DEB)

deb=$(ls -t "$build"/vrn-pc_*.deb | head -n 1)
echo
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
case "$deb" in
    /*) ;;
    *) deb="./$deb" ;;
esac
echo "Install it with:  sudo apt-get install $deb"
