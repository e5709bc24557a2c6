#!/usr/bin/env bash
# Runs the fault-injection soak (vrn-soak) with every fault, the time-outs included, for a few
# seeds side by side, and fails if any run finds a violation.
#   ./scripts/soak.sh                      seeds 4242 and 7, 450 transfers each
#   ./scripts/soak.sh 300 11 12 13         300 transfers for each of the seeds given
#   SOAK_FLAGS=--fast-only ./scripts/soak.sh   without the faults that wait for a time-out
#   BUILD_DIR=build/x ./scripts/soak.sh    an existing build folder instead of the "dev" preset
# 450 transfers take a run past the hundred notices the program keeps, so the soak's own
# counting of outcomes is checked beyond that point too. The runs wait on timers most of the
# time, so they share the processors; their verdict must not depend on how busy the machine is.
# Each run's full report goes to $VRN_SOAK_WORK (default ${TMPDIR:-/tmp}/vrn-soak).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

usage() { echo "usage: $0 [TRANSFERS [SEED...]]" >&2; exit 2; }

transfers="${1:-450}"
[[ "$transfers" =~ ^[1-9][0-9]*$ ]] || usage
[ $# -gt 0 ] && shift
seeds=("$@")
[ ${#seeds[@]} -eq 0 ] && seeds=(4242 7)
for seed in "${seeds[@]}"; do
    [[ "$seed" =~ ^[0-9]+$ ]] || usage
done
read -r -a flags <<<"${SOAK_FLAGS:-}"

vrn_build_dir dev
cmake --build "$build" --target vrn-soak

work="${VRN_SOAK_WORK:-${TMPDIR:-/tmp}/vrn-soak}"
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.qpa.*=false"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

echo "soak: ${#seeds[@]} seeds x $transfers transfers ${flags[*]:-(every fault)}," \
    "$(uptime | sed 's/.*load average/load average/')"
pids=()
for seed in "${seeds[@]}"; do
    "$build/soak/vrn-soak" --seed "$seed" --transfers "$transfers" "${flags[@]}" \
        >"$work/seed-$seed.txt" 2>&1 &
    pids+=($!)
done

failed=0
printf '%-10s %9s %9s %10s %s\n' seed transfers seconds violations report
for i in "${!seeds[@]}"; do
    seed=${seeds[$i]}
    report="$work/seed-$seed.txt"
    status=0
    wait "${pids[$i]}" || status=$?
    seconds=$(sed -nE 's/^Fault-injection soak: .* transfers, ([0-9.]+) s$/\1/p' "$report")
    violations=$(sed -nE 's/^Violations: ([0-9]+)$/\1/p' "$report")
    printf '%-10s %9s %9s %10s %s\n' "$seed" "$transfers" "${seconds:-?}" "${violations:-?}" \
        "$report"
    if [ "$status" -ne 0 ] || [ "${violations:-x}" != 0 ]; then
        failed=1
        sed -n '/^Violations:/,$p' "$report" >&2
    fi
done
exit "$failed"
