#!/usr/bin/env bash
# A card on COM1 of the wine prefix, read and verified by vrn-cli.exe as the first thing on a
# freshly opened port, each time in a new process: the case that failed when the Windows serial
# backend waited for a notice wine never gives.
#   windows-fresh-port.sh <vrn-cli.exe> <native vrn-cli> <vrn-card-sim> <runs>
# Runs in scripts/windows.sh's environment (WINEPREFIX, the wine server); COM1 is linked to the
# card's pseudo-terminal for the run and given back to wine's own link afterwards.
set -euo pipefail
exe=$1 native_cli=$2 card_sim=$3 runs=$4
wine=/usr/lib/wine/wine64
com1=$WINEPREFIX/dosdevices/com1

work=$(mktemp -d)
card_pid=
old_link=$(readlink "$com1" 2>/dev/null || true)
cleanup() {
    [ -n "$card_pid" ] && kill "$card_pid" 2>/dev/null
    if [ -n "$old_link" ]; then ln -sfn "$old_link" "$com1"; else rm -f "$com1"; fi
    rm -rf "$work"
}
trap cleanup EXIT

"$card_sim" --link "$work/card" --quiet --set H=723 --set Z=87 --set B=3 >"$work/card.out" &
card_pid=$!
for _ in $(seq 50); do [ -e "$work/card" ] && break; sleep 0.1; done
[ -e "$work/card" ] || { echo "error: the simulated card did not start" >&2; exit 1; }
# Wine links COM1 to the first /dev/ttyS* when its server starts: start it first.
"$wine" cmd /c exit </dev/null >/dev/null 2>&1
ln -sfn "$(readlink "$work/card")" "$com1"

"$native_cli" read --card vrn-b --port "$work/card" --out "$work/expected.par" >/dev/null
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# Read first: the reply must be seen on the port just opened.
"$wine" "$exe" read --card vrn-b --port COM1 --out "$(winpath "$work/read.par")" </dev/null \
    >"$work/read.log" 2>&1 || { cat "$work/read.log" >&2; exit 1; }
cmp -s "$work/expected.par" "$work/read.par" \
    || { echo "error: vrn-cli.exe read other values than the card holds" >&2; exit 1; }
passed=0
for run in $(seq "$runs"); do
    if "$wine" "$exe" verify --card vrn-b --port COM1 "$(winpath "$work/expected.par")" \
        </dev/null >"$work/verify.log" 2>&1; then
        passed=$((passed + 1))
    else
        echo "run $run:" >&2
        cat "$work/verify.log" >&2
    fi
done
echo "vrn-cli.exe on a fresh COM1: read the card's values, verified $passed of $runs runs"
[ "$passed" -eq "$runs" ]
