#!/usr/bin/env bash
# What the traffic log costs the transfers: the transfer benchmark's back-to-back run (every
# Send and Read but the VRN-A Send, over a pseudo-terminal to vrn-card-sim, no card latency)
# made with the log closed and with it open beside the card windows, RUNS times each way,
# alternating. Prints min / median / max of the ratios open / closed of the time and the
# processor time per transfer (1.00 = no cost), then the paced exchanges' ratios to the floor
# (card answering after 2 ms) with the log closed and open, and the commit measured.
#
#   ./scripts/bench-log.sh                    uses the "release" preset (build/release)
#   BUILD_DIR=build-x ./scripts/bench-log.sh  uses an existing build folder instead
#   RUNS=10 TRANSFERS=10000 ./scripts/bench-log.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

runs=${RUNS:-5}
transfers=${TRANSFERS:-3000}

vrn_build_dir release
cmake --build "$build" --target vrn-bench-transfer vrn-bench-summarise >/dev/null

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.qpa.*=false"
bench=$build/bench/vrn-bench-transfer
summarise=$build/bench/vrn-bench-summarise
out=$build/bench-results/log-$(date +%Y%m%d-%H%M%S)
mkdir -p "$out"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$out/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# The figure of one run: "growth.<key>.middle", the middle tenth of the run, when the log (if
# open) has long been full.
figure() { awk -v key="growth.$2.middle" '$1 == key { print $2 }' "$1"; }

for run in $(seq "$runs"); do
    "$bench" --growth "$transfers" >"$out/closed-$run.txt" 2>>"$out/messages.txt"
    "$bench" --growth "$transfers" --log-window >"$out/open-$run.txt" 2>>"$out/messages.txt"
    # The paced exchanges of the transfer benchmark (card answering after 2 ms), each way.
    "$bench" --latency 2 --rounds 3 >"$out/paced-closed-$run.txt" 2>>"$out/messages.txt"
    "$bench" --latency 2 --rounds 3 --log-window >"$out/paced-open-$run.txt" \
        2>>"$out/messages.txt"
done

{
    echo "traffic log cost, commit $(git rev-parse --short HEAD), $(date -Iseconds)"
    echo "$runs runs each way, $transfers transfers a run, $(nproc) processors," \
        "$(uptime | sed 's/.*load average/load average/')"
    printf '%-22s %10s %10s %10s\n' "open / closed" min median max
    for key in us_per_transfer cpu_us_per_transfer; do
        for run in $(seq "$runs"); do
            closed=$(figure "$out/closed-$run.txt" "$key")
            open=$(figure "$out/open-$run.txt" "$key")
            awk -v o="$open" -v c="$closed" 'BEGIN { printf "%.4f\n", o / c }'
        done | sort -g | awk -v key="$key" '
            { v[NR] = $1 }
            END {
                median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
                printf "%-22s %10.3f %10.3f %10.3f\n", key, v[1], median, v[NR]
            }'
    done
    echo
    echo "ratio to the floor, card answering after 2 ms, log closed:"
    "$summarise" "$out"/paced-closed-*.txt | grep '^figure\|^ratio\.'
    echo "the same, log open:"
    "$summarise" "$out"/paced-open-*.txt | grep '^figure\|^ratio\.'
    echo "raw lines: $out"
} | tee "$out/summary.txt"
