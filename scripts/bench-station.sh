#!/usr/bin/env bash
# The commissioning station's cycle against the wire: vrn-bench-station runs CYCLES station
# cycles (20 unless told) on a VRN-A and on a VRN-B card served by vrn-card-sim at 19200 baud
# (snapshot Read saved, Send of the recipe, Verify, each step synced into a journal), and prints
# each model's cycle time, the floor of its three transfers and the ratio (min / median / max),
# with the gaps between the transfers. The journal and the snapshots go under the build folder,
# not /tmp (which may be memory). Ends with the commit measured and the machine's load.
#
#   ./scripts/bench-station.sh                     uses the "release" preset (build/release)
#   BUILD_DIR=build-x ./scripts/bench-station.sh   uses an existing build folder instead
#   CYCLES=50 ./scripts/bench-station.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

vrn_build_dir release
cmake --build "$build" --target vrn-bench-station >/dev/null

export QT_QPA_PLATFORM=offscreen
echo "== Commissioning station: ${CYCLES:-20} cycles a model"
"$build/bench/vrn-bench-station" --cycles "${CYCLES:-20}" --folder "$build/bench" | grep -v '\.cycle[0-9]'
echo "commit $(git rev-parse --short HEAD)$([ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo " (working tree modified)"), $(nproc) processors, $(uptime | sed 's/.*load average/load average/')"
