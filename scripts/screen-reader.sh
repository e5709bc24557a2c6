#!/usr/bin/env bash
# Checks VRN-PC as a screen reader sees it: starts the program on a virtual X server (Xvfb)
# with a D-Bus session and an accessibility bus of its own, and lets
# tests/screen_reader/check.py choose the simulated card, send, verify, save a commissioning
# record and compare a parameter file with the card through AT-SPI alone. The program starts with fresh settings in a
# temporary home; whatever the check started is ended with it. Fails, saying at which step,
# when the screen reader misses something.
#   ./scripts/screen-reader.sh
#   VRN_BUILD_DIR=build/x ./scripts/screen-reader.sh   another build folder
set -euo pipefail
cd "$(dirname "$0")/.."

bus_launcher=/usr/libexec/at-spi-bus-launcher
registry=/usr/libexec/at-spi2-registryd

has_owner() { # <bus name>
    [[ "$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
          org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null)" == *"boolean true"* ]]
}

# Inside the D-Bus session (dbus-run-session runs the script again): the accessibility bus,
# VRN-PC, then the client. <vrn-pc> <record.pdf>; fd 3 is the terminal's standard error.
if [ "${1:-}" = --in-session ]; then
    trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
    "$bus_launcher" --launch-immediately >&2 &
    for _ in $(seq 100); do
        has_owner org.a11y.Bus && break
        sleep 0.1
    done
    has_owner org.a11y.Bus || { echo "screen reader: no accessibility bus" >&3; exit 1; }
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb \
        QT_QPA_PLATFORMTHEME=generic "$2" &
    # Debian's Python, which has python3-pyatspi, whichever python3 comes first in PATH.
    timeout 40 /usr/bin/python3 tests/screen_reader/check.py --record "$3" 2>&3
    exit
fi

source scripts/deps.sh
build="${VRN_BUILD_DIR:-build/dev}"

vrn_install_missing "${VRN_BUILD_PACKAGES[@]}" "${VRN_SCREEN_READER_PACKAGES[@]}"
for tool in "$bus_launcher" "$registry"; do
    [ -x "$tool" ] || { echo "screen reader: $tool is missing (at-spi2-core)" >&2; exit 1; }
done
if [ ! -f "$build/CMakeCache.txt" ]; then
    if [ "$build" = build/dev ]; then
        cmake --preset dev
    else
        cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
    fi
fi
cmake --build "$build" --target vrn-pc
program="$(realpath "$build/app/vrn-pc")"

work=$(mktemp -d "${TMPDIR:-/tmp}/vrn-screen-reader.XXXXXX")
xvfb=""
session=""
# Whether a process of the check's session still runs (ended ones may wait a while for init
# as zombies).
session_runs() { [ -n "$(ps -o stat= --sid "$session" 2>/dev/null | grep -v '^Z')" ]; }
finish() {
    trap '' INT TERM # the cleaning up is not cut short
    # The session first (the buses, the registry, VRN-PC, the client), so that none of them
    # sees its X server go.
    if [ -n "$session" ]; then
        kill -- "-$session" 2>/dev/null || true
        for _ in $(seq 20); do
            session_runs || break
            sleep 0.1
        done
        kill -KILL -- "-$session" 2>/dev/null || true
    fi
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM

# A home of its own: fresh program settings, nothing of the user's.
mkdir -p "$work/home/.config" "$work/home/.local/share" "$work/home/.cache" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
export XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache"
export XDG_RUNTIME_DIR="$work/runtime"
# The English texts the client looks for, and Qt's own look, whatever the user set.
export LC_ALL=C.UTF-8
unset LANGUAGE QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS WAYLAND_DISPLAY \
    DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

# The X server takes the first free display and tells its number; only this cookie gets in.
cookie=$(mcookie)
touch "$work/server-auth" "$work/client-auth"
xauth -q -f "$work/server-auth" add :0 . "$cookie"
Xvfb -displayfd 3 -auth "$work/server-auth" -nolisten tcp -screen 0 1280x1024x24 \
    3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "screen reader: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"
export XAUTHORITY="$work/client-auth"
xauth -q add "$DISPLAY" . "$cookie"

echo "screen reader: VRN-PC on $DISPLAY"
# A session and process group of their own, which one kill ends; what the buses and the
# program say goes to a log, shown when the check fails.
setsid -w timeout 50 dbus-run-session -- "$0" --in-session "$program" "$work/record.pdf" \
    3>&2 2>"$work/session.log" &
session=$!
status=0
wait "$session" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- what the buses and VRN-PC said:" >&2
    grep -v "Failed to set fd limit" "$work/session.log" >&2 || true
    [ "$status" -eq 124 ] && echo "screen reader: not done within 50 s" >&2
    echo "screen reader: FAILED" >&2
    exit 1
fi
[ -s "$work/record.pdf" ] || { echo "screen reader: no record was saved" >&2; exit 1; }
echo "screen reader: passed"
