#!/usr/bin/env bash
# Measures the figures of docs/figures.md on the checked-out commit and writes the page:
#   1. with --bench, first ./scripts/bench.sh (performance figures), ./scripts/bench-log.sh
#      (the traffic log's cost) and ./scripts/bench-cli.sh (ten cards at once against one),
#      alone on the machine;
#   2. the long fault-injection soak, seed 4242 x 4000 transfers, with every fault and with
#      --fast-only (both at once), each with its tables of faults and outcomes;
#   3. beside the soaks, ./scripts/fuzz.sh for every libFuzzer target (600 s each, two at a
#      time);
#   4. with --reopen, ./scripts/bench-reopen.sh (a card's line found again after an unplug);
#   5. with --journal, ./scripts/bench-journal.sh (an append to the journal, synced, and the
#      check of 100,000 entries);
#   6. with --station, ./scripts/bench-station.sh (the commissioning station's cycle against the
#      wire's floor).
# Everything printed is also kept in build/figures/<commit>-<time>/; the commit the figures
# belong to (and whether the working tree differed from it) opens and closes the output. At the
# end ./scripts/figures-page.sh writes docs/figures.md from that folder: the sections this run
# measured, each naming the commit, and the others (performance without --bench, fuzzing with
# --no-fuzz) kept as they were.
#   ./scripts/figures.sh                       soak and fuzzing
#   ./scripts/figures.sh --bench               and the performance figures
#   ./scripts/figures.sh --fuzz-seconds 60 --transfers 400   a shorter trial
#   ./scripts/figures.sh --no-fuzz             the soak only
#   ./scripts/figures.sh --reopen --no-soak --no-fuzz   the reopening figures only
#   ./scripts/figures.sh --journal --no-soak --no-fuzz  the journal's figures only
#   ./scripts/figures.sh --station --no-soak --no-fuzz  the station's figures only
#   ./scripts/figures.sh --page /tmp/figures.md   the page written elsewhere (for a trial)
#   BUILD_DIR=build/x ./scripts/figures.sh     an existing build folder (soak and benchmarks)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

usage() {
    echo "usage: $0 [--bench] [--reopen] [--journal] [--station] [--no-soak] [--no-fuzz] [--fuzz-seconds N]" \
        "[--transfers N] [--seed N] [--page FILE]" >&2
    exit 2
}

bench=0
reopen=0
journal=0
station=0
soak=1
fuzz_seconds=600
transfers=4000
seed=4242
page=docs/figures.md
while [ $# -gt 0 ]; do
    case "$1" in
        --bench) bench=1 ;;
        --reopen) reopen=1 ;;
        --journal) journal=1 ;;
        --station) station=1 ;;
        --no-soak) soak=0 ;;
        --no-fuzz) fuzz_seconds=0 ;;
        --fuzz-seconds) fuzz_seconds="${2:-}"; shift ;;
        --transfers) transfers="${2:-}"; shift ;;
        --seed) seed="${2:-}"; shift ;;
        --page) page="${2:-}"; shift ;;
        *) usage ;;
    esac
    shift
done
[[ "$fuzz_seconds" =~ ^[0-9]+$ && "$transfers" =~ ^[1-9][0-9]*$ && "$seed" =~ ^[0-9]+$ ]] \
    || usage
[ -n "$page" ] || usage

commit=$(git rev-parse --short HEAD)
if [ -z "$(git status --porcelain --untracked-files=no)" ]; then
    tree="clean"
    page_commit=$commit
else
    tree="MODIFIED: the figures do not belong to $commit alone"
    page_commit="$commit (working tree modified)"
fi
describe() {
    echo "commit $commit ($(git log -1 --format=%cs HEAD)), working tree $tree"
    echo "machine: $(nproc) processors, $(uptime | sed 's/.*load average/load average/')"
}

out="build/figures/$commit-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$out"
echo "$page_commit" >"$out/commit"
exec > >(tee "$out/figures.txt") 2>&1

echo "VRN-PC reliability figures, $(date -Iseconds)"
describe
failed=0

if [ "$bench" -eq 1 ]; then
    # First, while nothing else of this script runs: the performance figures are timings.
    echo
    echo "== Performance"
    ./scripts/bench.sh | tee "$out/bench.txt" || failed=1
    echo
    echo "== What the traffic log costs: log open against log closed"
    ./scripts/bench-log.sh | tee "$out/bench-log.txt" || failed=1
    echo
    echo "== vrn-cli: ten cards at once against one"
    ./scripts/bench-cli.sh | tee "$out/bench-cli.txt" || failed=1
fi
if [ "$reopen" -eq 1 ]; then
    echo
    ./scripts/bench-reopen.sh | tee "$out/reopen.txt" || failed=1
fi
if [ "$journal" -eq 1 ]; then
    # Before the soaks and the fuzzers: the syncs and the check are timings.
    echo
    ./scripts/bench-journal.sh | tee "$out/journal.txt" || failed=1
fi
if [ "$station" -eq 1 ]; then
    # Before the soaks and the fuzzers: the cycles are timings.
    echo
    ./scripts/bench-station.sh | tee "$out/station.txt" || failed=1
fi

if [ "$soak" -eq 1 ]; then
    echo
    echo "== Fault-injection soak: seed $seed, $transfers transfers"
    vrn_build_dir dev
    cmake --build "$build" --target vrn-soak >/dev/null
    export QT_QPA_PLATFORM=offscreen
    export QT_LOGGING_RULES="qt.qpa.*=false"
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        export XDG_RUNTIME_DIR="$out/runtime"
        mkdir -m 700 "$XDG_RUNTIME_DIR"
    fi
    # The soaks wait on timers most of the time and their verdict does not depend on the
    # machine's load, so the fuzzers run beside them, two at a time.
    "$build/soak/vrn-soak" --seed "$seed" --transfers "$transfers" >"$out/soak-every-fault.txt" &
    every=$!
    "$build/soak/vrn-soak" --seed "$seed" --transfers "$transfers" --fast-only \
        >"$out/soak-fast-only.txt" &
    fast=$!
fi
if [ "$fuzz_seconds" -gt 0 ]; then
    VRN_FUZZ_WORK="$(mktemp -d "${TMPDIR:-/tmp}/vrn-figures-fuzz.XXXXXX")" \
        ./scripts/fuzz.sh --jobs 2 "$fuzz_seconds" >"$out/fuzzing.txt" 2>&1 || failed=1
fi
if [ "$soak" -eq 1 ]; then
    wait "$every" || failed=1
    wait "$fast" || failed=1
    echo "-- every fault, the time-outs included:"
    cat "$out/soak-every-fault.txt"
    echo "-- --fast-only (without the faults that wait for a time-out):"
    cat "$out/soak-fast-only.txt"
fi
if [ "$fuzz_seconds" -gt 0 ]; then
    echo
    echo "== Fuzzing: every target for $fuzz_seconds s, from the committed corpus, two at a time"
    cat "$out/fuzzing.txt"
fi

echo
describe
echo "results: $out"
./scripts/figures-page.sh "$out" "$page" || failed=1
exit "$failed"
