#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for a given time.
#   ./scripts/fuzz.sh 600                     every target for 600 s, one after the other
#   ./scripts/fuzz.sh 600 fuzz_reply          only the targets named
#   ./scripts/fuzz.sh --jobs 2 600            two targets at a time
# The committed seeds in fuzz/corpus/<name>/ are only read. New corpus entries, crash inputs and
# logs go to a scratch folder outside the repository, kept between runs so a later run goes on
# where the last one stopped:
#   VRN_FUZZ_WORK   scratch folder (default: ${TMPDIR:-/tmp}/vrn-fuzz)
#   VRN_FUZZ_BUILD  build folder (default: build/fuzz)
# Ends with a table per target (seconds, executions, corpus, findings); fails if any target
# found a crash or a sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

usage() { echo "usage: $0 [--jobs N] SECONDS [TARGET...]" >&2; exit 2; }

jobs=1
if [ "${1:-}" = "--jobs" ]; then
    jobs="${2:-}"
    shift 2 || usage
fi
[[ "$jobs" =~ ^[1-9][0-9]*$ ]] || usage
seconds="${1:-}"
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || usage
shift

all_targets=(fuzz_reply fuzz_parameter_file fuzz_frames fuzz_number_text)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
    [[ " ${all_targets[*]} " == *" $t "* ]] || { echo "unknown target: $t" >&2; usage; }
done

root="$(pwd)"
build="${VRN_FUZZ_BUILD:-build/fuzz}"
work="${VRN_FUZZ_WORK:-${TMPDIR:-/tmp}/vrn-fuzz}"
case "$(realpath -m "$work")/" in
    "$root"/*) echo "VRN_FUZZ_WORK must lie outside the repository" >&2; exit 2 ;;
esac

vrn_install_missing "${VRN_BUILD_PACKAGES[@]}" clang-14 libclang-rt-14-dev
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DVRN_FUZZ=ON \
    -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" >/dev/null
cmake --build "$build" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The parameter files go beyond the 4096 bytes that Open takes, to reach that limit.
max_len() {
    case "$1" in
        fuzz_parameter_file) echo 5000 ;;
        *) echo 4096 ;;
    esac
}

run_target() {
    local t="$1" name="${1#fuzz_}"
    mkdir -p "$work/corpus/$t" "$work/crashes/$t" "$work/logs"
    # The first folder takes the new entries; the seed folder is only read.
    "$build/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 -max_len="$(max_len "$t")" \
        -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$work/crashes/$t/" \
        "$work/corpus/$t" "fuzz/corpus/$name" >"$work/logs/$t.log" 2>&1 || true
}

running=0
for t in "${targets[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    echo "fuzzing $t for $seconds s (log: $work/logs/$t.log)"
    run_target "$t" &
    running=$((running + 1))
done
wait

failed=0
printf '\n%-22s %8s %12s %8s %6s %9s\n' target seconds executions corpus cov findings
for t in "${targets[@]}"; do
    log="$work/logs/$t.log"
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true)
    corpus=$(sed -nE 's/.* corp: ([0-9]+)\/.*/\1/p' <<<"$done_line")
    cov=$(sed -nE 's/.* cov: ([0-9]+) .*/\1/p' <<<"$done_line")
    findings=$(find "$work/crashes/$t" -type f | wc -l)
    if grep -qE '^==[0-9]+==ERROR|runtime error:|^SUMMARY: |deadly signal|broken property' "$log" \
        || [ -z "$executions" ]; then
        findings=$((findings > 0 ? findings : 1))
    fi
    [ "$findings" -gt 0 ] && failed=1
    printf '%-22s %8s %12s %8s %6s %9s\n' "$t" "$seconds" "${executions:-?}" "${corpus:-?}" \
        "${cov:-?}" "$findings"
done
if [ "$failed" -ne 0 ]; then
    echo "findings: inputs in $work/crashes/<target>/, reports in $work/logs/" >&2
    exit 1
fi
