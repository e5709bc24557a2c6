#!/usr/bin/env bash
# Builds the optimised benchmarks and measures VRN-PC against the physical floor of its line:
#   1. Send and Read of the four card windows over a pseudo-terminal, the card (vrn-card-sim,
#      a process of its own) answering after 2 ms, then after 100 ms, every character paced at
#      19200 baud: duration / floor, processor share, turnaround; the same exchanges made by a
#      minimal poll()/read()/write() client show the floor this machine itself allows;
#   2. 10,000 transfers back to back: time and memory as work grows;
#   3. start-up: process start to the launcher painted, memory with all windows open.
# Every figure is given as min / median / max over RUNS runs (default 5); the raw lines stay in
# the results folder printed at the end.
#
#   ./scripts/bench.sh                   uses the "release" preset (build/release)
#   BUILD_DIR=build-x ./scripts/bench.sh uses an existing build folder instead
#   RUNS=10 ./scripts/bench.sh           more runs
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

runs=${RUNS:-5}
fast_rounds=7   # 7 rounds x 30 back-to-back transactions x 5 runs: over 1,000 turnarounds
slow_rounds=2
growth=10000

vrn_build_dir release
cmake --build "$build" --target vrn-bench-transfer vrn-bench-reference vrn-bench-summarise \
    vrn-bench-startup

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.qpa.*=false"
bench=$build/bench/vrn-bench-transfer
reference=$build/bench/vrn-bench-reference
summarise=$build/bench/vrn-bench-summarise
out=$build/bench-results/$(date +%Y%m%d-%H%M%S)
mkdir -p "$out"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$out/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

load() { echo "machine load: $(uptime | sed 's/.*load average/load average/')"; }
# Runs a benchmark with its messages kept in the results folder, shown only when it fails.
quietly() {
    "$@" 2>>"$out/messages.txt" || {
        echo "failed: $*" >&2
        tail -n 20 "$out/messages.txt" >&2
        exit 1
    }
}

{
    echo "VRN-PC benchmark, $(date -Iseconds), $(nproc) processors"
    load
    for run in $(seq "$runs"); do
        quietly "$bench" --latency 2 --rounds "$fast_rounds" >"$out/fast-$run.txt"
        quietly "$reference" --latency 2 --rounds "$fast_rounds" >"$out/reference-$run.txt"
        quietly "$bench" --latency 100 --rounds "$slow_rounds" >"$out/slow-$run.txt"
        quietly "$bench" --growth "$growth" >"$out/growth-$run.txt"
        load
    done
    quietly "$build/bench/vrn-bench-startup" $((runs * 2)) >"$out/startup.txt"
    load

    echo
    echo "== Card answering after 2 ms (19200 baud, both directions) =="
    grep -h '^# [A-D]\.' "$out/fast-1.txt" | sed 's/^# /   /'
    "$summarise" "$out"/fast-*.txt | grep -v '^turnaround_us\|^run\.turnaround'
    echo
    echo "== The same exchanges by a minimal poll()/read()/write() client (card after 2 ms) =="
    "$summarise" "$out"/reference-*.txt
    echo
    echo "== Card answering after 100 ms =="
    "$summarise" "$out"/slow-*.txt | grep -v '^turnaround_us\|^run\.turnaround'
    echo
    echo "== Turnaround: last answer character out of the card to the next frame's first in =="
    "$summarise" "$out"/fast-*.txt "$out"/slow-*.txt | grep '^figure\|turnaround'
    echo
    echo "== $growth transfers back to back (no wire pacing, no card latency) =="
    "$summarise" "$out"/growth-*.txt
    echo
    echo "== Start-up (offscreen platform) =="
    "$summarise" "$out"/startup.txt
    echo
    echo "raw lines: $out"
} | tee "$out/summary.txt"
