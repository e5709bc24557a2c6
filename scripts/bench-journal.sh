#!/usr/bin/env bash
# What the commissioning journal costs: vrn-bench-journal appends APPENDS typical VRN-A entries
# (2000 unless told), each synced to the disk as every transfer's entry is, and times a bare write
# and sync of a line as long beside it (what the disk allows); then it writes a journal of ENTRIES
# entries (100000 unless told) and checks it RUNS times (5). The journals are written under the
# build folder, on the disk of the project, not in /tmp (which may be memory); the output names
# the file system measured. Ends with the commit measured and the machine's load.
#
#   ./scripts/bench-journal.sh                     uses the "release" preset (build/release)
#   BUILD_DIR=build-x ./scripts/bench-journal.sh   uses an existing build folder instead
#   APPENDS=500 ENTRIES=20000 RUNS=3 ./scripts/bench-journal.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

appends=${APPENDS:-2000}
entries=${ENTRIES:-100000}
runs=${RUNS:-5}

vrn_build_dir release
cmake --build "$build" --target vrn-bench-journal >/dev/null

echo "== Journal: $appends appends, each synced; the check of $entries entries, $runs runs"
"$build/bench/vrn-bench-journal" --folder "$build/bench" --appends "$appends" \
    --entries "$entries" --runs "$runs"
echo "commit $(git rev-parse --short HEAD)$([ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo " (working tree modified)"), $(nproc) processors, $(uptime | sed 's/.*load average/load average/')"
