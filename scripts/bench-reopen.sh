#!/usr/bin/env bash
# How fast a card's line is found again after an unplug, and what waiting for it costs:
# vrn-bench-reopen closes a card's pseudo-terminal, serves a new one behind the same name a
# moment later, CYCLES times (20 unless told), and prints the time from the return to the port
# open (min / median / max), the processor share while waiting, and what a look at the system's
# port list costs. Ends with the commit measured and the machine's load.
#
#   ./scripts/bench-reopen.sh                    uses the "release" preset (build/release)
#   BUILD_DIR=build-x ./scripts/bench-reopen.sh  uses an existing build folder instead
#   CYCLES=50 ./scripts/bench-reopen.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

vrn_build_dir release
cmake --build "$build" --target vrn-bench-reopen >/dev/null

export QT_QPA_PLATFORM=offscreen
echo "== Reopening a card's line after an unplug: ${CYCLES:-20} cycles"
"$build/bench/vrn-bench-reopen" --cycles "${CYCLES:-20}"
echo "commit $(git rev-parse --short HEAD)$([ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo " (working tree modified)"), $(nproc) processors, $(uptime | sed 's/.*load average/load average/')"
