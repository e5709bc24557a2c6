#!/usr/bin/env bash
# Starts a Windows build of vrn-pc.exe under wine on the X server of $DISPLAY and waits up to
# 30 s for its launcher window, then ends every program of the wine prefix while the screen is
# still there. Exits 0 when the launcher appeared. Run by scripts/windows.sh and
# scripts/windows-msi.sh inside xvfb-run.
#   bash scripts/windows-start.sh <wine> <wineserver> <vrn-pc.exe> <log>
set -u
"$1" "$3" -platform windows </dev/null >"$4" 2>&1 &
shown=1
for _ in $(seq 60); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"VRN-PC rev01"'; then
        shown=0
        break
    fi
    sleep 0.5
done
"$2" -k 2>/dev/null
wait
exit $shown
