#!/usr/bin/env bash
# Builds VRN-PC and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

vrn_install_missing "${VRN_BUILD_PACKAGES[@]}"
cmake --preset dev
cmake --build --preset dev --target vrn-pc
exec ./build/dev/app/vrn-pc "$@"
