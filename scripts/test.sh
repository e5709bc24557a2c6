#!/usr/bin/env bash
# Builds VRN-PC and runs every test headless, ending with CTest's summary.
#   ./scripts/test.sh          the normal build
#   ./scripts/test.sh --asan   with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

preset=dev
case "${1:-}" in
    --asan) preset=asan ;;
    "") ;;
    *) echo "usage: $0 [--asan]" >&2; exit 2 ;;
esac

vrn_install_missing "${VRN_BUILD_PACKAGES[@]}" "${VRN_TEST_PACKAGES[@]}"
cmake --preset "$preset"
cmake --build --preset "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset" --parallel "$(nproc)"
