#!/usr/bin/env bash
# Ten cards at once against one: vrn-cli sends a VRN-A parameter file (its Send has about 1 s of
# settle pauses) and verifies it, first on one card, then on ten at once. Every card is a
# vrn-card-sim process of its own on a pseudo-terminal, pacing its line at 19200 baud. The one-
# and ten-card runs alternate; wall times of the whole vrn-cli process (start to exit) are given
# as min / median / max over RUNS runs, with the ratio of the medians and the commit measured.
#
#   ./scripts/bench-cli.sh                      uses the "release" preset (build/release)
#   BUILD_DIR=build/dev ./scripts/bench-cli.sh  uses an existing build folder instead
#   RUNS=10 PORTS=20 ./scripts/bench-cli.sh     more runs, more cards
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

runs=${RUNS:-5}
ports=${PORTS:-10}

vrn_build_dir release
cmake --build "$build" --target vrn-cli vrn-card-sim >/dev/null
cli=$build/cli/vrn-cli
sim=$build/tools/vrn-card-sim

work=$(mktemp -d)
pids=()
cleanup() {
    [ ${#pids[@]} -eq 0 ] || kill "${pids[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

devices=()
for i in $(seq "$ports"); do
    "$sim" --quiet --baud 19200 >"$work/sim-$i.txt" 2>>"$work/sim-errors.txt" &
    pids+=($!)
done
for i in $(seq "$ports"); do
    for _ in $(seq 100); do
        [ -s "$work/sim-$i.txt" ] && break
        sleep 0.05
    done
    device=$(head -n 1 "$work/sim-$i.txt")
    [ -n "$device" ] || { echo "vrn-card-sim $i did not start" >&2; cat "$work/sim-errors.txt" >&2; exit 1; }
    devices+=("$device")
done

# A VRN-A file with ramps on: twelve frames, eleven settle pauses.
printf '249\r\n230\r\n"102"\r\n"300"\r\n"600"\r\n"1201"\r\n"00002"\r\n"00003"\r\n1\r\n1\r\n' \
    >"$work/line.par"

# Milliseconds of one vrn-cli run; every port must end verified.
timed_send() {
    local start end
    start=$(date +%s%N)
    if ! "$cli" send --card vrn-a "$@" "$work/line.par" >"$work/out.txt"; then
        cat "$work/out.txt" >&2
        exit 1
    fi
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

all=$(IFS=,; echo "${devices[*]}")
one=()
many=()
for _ in $(seq "$runs"); do
    one+=("$(timed_send --port "${devices[0]}")")
    many+=("$(timed_send --ports "$all")")
done

# "min median max" of the numbers given.
stats() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[1], v[int((NR + 1) / 2)], v[NR] }'; }
read -r one_min one_median one_max <<<"$(stats "${one[@]}")"
read -r many_min many_median many_max <<<"$(stats "${many[@]}")"

commit=$(git rev-parse --short HEAD 2>/dev/null || echo unknown)
git diff --quiet HEAD 2>/dev/null || commit="$commit (with uncommitted changes)"
echo "vrn-cli send --card vrn-a, cards paced at 19200 baud, $runs runs, commit $commit"
echo "machine: $(nproc) processors, $(uptime | sed 's/.*load average/load average/')"
echo "1 card:        min $one_min ms, median $one_median ms, max $one_max ms   (${one[*]})"
echo "$ports cards at once: min $many_min ms, median $many_median ms, max $many_max ms   (${many[*]})"
awk -v a="$many_median" -v b="$one_median" -v n="$ports" \
    'BEGIN { printf "ratio of the medians (%d cards / 1 card): %.2f\n", n, a / b }'
