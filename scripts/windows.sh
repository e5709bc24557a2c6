#!/usr/bin/env bash
# Builds VRN-PC for 64-bit Windows on this Debian machine, runs its tests under wine and packs
# build/windows/vrn-pc-<version>-win64.zip: vrn-pc.exe, the Qt and MinGW DLLs it needs, the
# platform plugin, the licences and a README. Unpacked anywhere, vrn-pc.exe starts by
# double-click; the script checks that by starting it from the unpacked zip under wine on a
# virtual X server. Last it builds build/windows/vrn-pc-<version>-win64.msi of the same files, the
# installer for IT departments, and checks its install, start, upgrade and uninstall under wine
# (scripts/windows-msi.sh).
#   ./scripts/windows.sh
#   VRN_QT_WIN64=/opt/qt6-win64 ./scripts/windows.sh   a Windows Qt already unpacked there
# Without VRN_QT_WIN64 the Windows Qt comes from shared/toolchains/win64/qt6-win64.tar.gz beside
# the repository (../shared) and is unpacked into build/windows/ once.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

root=$(pwd)
out=$root/build/windows
build=$out/build
mingw=x86_64-w64-mingw32
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

step() { echo "== $* ($(date +%T))"; }

step "packages"
vrn_install_missing "${VRN_BUILD_PACKAGES[@]}" "${VRN_WINDOWS_PACKAGES[@]}"

step "Windows Qt"
if [ -n "${VRN_QT_WIN64:-}" ]; then
    qt=$(realpath "$VRN_QT_WIN64")
else
    # ../shared beside the repository; for a git worktree, beside its main repository too.
    tarball="$(dirname "$root")/shared/toolchains/win64/qt6-win64.tar.gz"
    common=$(git rev-parse --path-format=absolute --git-common-dir 2>/dev/null || true)
    if [ ! -f "$tarball" ] && [ -n "$common" ]; then
        beside_main="$(dirname "$(dirname "$common")")/shared/toolchains/win64/qt6-win64.tar.gz"
        [ -f "$beside_main" ] && tarball=$beside_main
    fi
    if [ ! -f "$tarball" ]; then
        echo "error: the Windows Qt is missing: $tarball does not exist." >&2
        echo "It belongs in shared/toolchains/win64/ beside the repository. Or set VRN_QT_WIN64" >&2
        echo "to a Windows Qt 6 already unpacked (the folder that holds bin/Qt6Core.dll)." >&2
        exit 1
    fi
    qt=$out/qt6-win64
    stamp=$out/qt6-win64.unpacked
    if [ ! -f "$stamp" ] || [ "$tarball" -nt "$stamp" ]; then
        echo "unpacking $tarball"
        rm -rf "$qt" "$stamp"
        mkdir -p "$out"
        tar -C "$out" -xzf "$tarball"
        touch "$stamp"
    fi
fi
qt_toolchain=$qt/lib/cmake/Qt6/qt.toolchain.cmake
if [ ! -f "$qt_toolchain" ] || [ ! -f "$qt/bin/Qt6Core.dll" ]; then
    echo "error: $qt is not a Windows Qt 6 (no bin/Qt6Core.dll or lib/cmake/Qt6/qt.toolchain.cmake)" >&2
    exit 1
fi

step "cross-build"
# Qt's toolchain file finds the Windows Qt beside itself and chain-loads the compilers' one.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw64-posix.cmake" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" >/dev/null
cmake --build "$build" --parallel 2

# The tests' cards are served on pseudo-terminals, which a Windows program cannot create: they
# reach vrn-pty-relay (Linux, plain POSIX) on a local socket, which makes one for each card and
# serves it as a COM port of the wine prefix. One source file, no Qt: built for Linux here.
relay=$out/vrn-pty-relay
if [ ! -x "$relay" ] || [ tools/vrn-pty-relay/main.cpp -nt "$relay" ]; then
    g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -o "$relay" tools/vrn-pty-relay/main.cpp
fi

step "tests under wine"
# Wine passes no QT_* variable to a Windows program: the tests' settings live in the registry of
# a wine prefix of our own. Offscreen platform; the test log on stderr (there is no console);
# Liberation Sans, the windows' face, for the offscreen platform, which finds no fonts on Windows
# by itself.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
runtime_dir() { dirname "$(realpath "$("$mingw-g++-posix" -print-file-name="$1")")"; }
gcc_runtime=$(runtime_dir libstdc++-6.dll)
pthread_runtime=$(runtime_dir libwinpthread-1.dll)
export WINEPREFIX=$out/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$gcc_runtime");$(windows_path "$pthread_runtime")"
export WINEPATH
unset DISPLAY
# One wine server for all tests (a test then starts in 0.3 s rather than 3 s), started before
# ctest together with wine's services, which would otherwise keep ctest's output open. It ends
# with this script, as does a server of this prefix left by an interrupted run.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w
relay_pid=
stop_relay() { # it takes its COM ports away as it ends
    if [ -n "$relay_pid" ]; then
        kill "$relay_pid" 2>/dev/null || true
        wait "$relay_pid" 2>/dev/null || true
        relay_pid=
    fi
}
trap 'stop_relay; "$wineserver" -k 2>/dev/null || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i </dev/null >"$out/wineboot.log" 2>&1
    "$wineserver" -w # the server of the set-up, which a persistent one cannot replace
fi
"$wineserver" -p 900 </dev/null >/dev/null 2>&1
"$wine" cmd /c exit </dev/null >/dev/null 2>&1
registry() { # <key> <name> <value>
    "$wine" reg add "$1" /v "$2" /t REG_SZ /d "$3" /f </dev/null >/dev/null 2>&1
}
registry 'HKCU\Environment' QT_QPA_PLATFORM offscreen
registry 'HKCU\Environment' QT_FORCE_STDERR_LOGGING 1
# The zip carries no style plugin: the tests draw with the style the packed program draws
# with, Qt's built-in "windows" style, not the Windows Qt's windowsvista plugin.
registry 'HKCU\Environment' QT_STYLE_OVERRIDE windows
registry 'HKCU\Environment' QT_QPA_FONTDIR "$(windows_path /usr/share/fonts/truetype/liberation2)"
# The wine user has changed the number format of the Region settings to a decimal comma, as
# many technicians' Windows have it: the card windows must follow it, the files keep ".".
registry 'HKCU\Control Panel\International' sDecimal ','
registry 'HKCU\Control Panel\International' sThousand '.'
# The relay on a free port, its COM ports from COM10 up (wine links COM1..COM4 itself); the
# links of a relay that did not end cleanly go first.
find "$WINEPREFIX/dosdevices" -maxdepth 1 -name 'com[1-9][0-9]*' -lname '/dev/pts/*' -delete
"$relay" --prefix "$WINEPREFIX" >"$out/pty-relay.port" 2>"$out/pty-relay.log" </dev/null &
relay_pid=$!
for _ in $(seq 50); do
    [ -s "$out/pty-relay.port" ] && break
    sleep 0.1
done
relay_port=$(head -n 1 "$out/pty-relay.port")
if [ -z "$relay_port" ]; then
    echo "error: vrn-pty-relay did not start" >&2
    cat "$out/pty-relay.log" >&2
    exit 1
fi
registry 'HKCU\Environment' VRN_PTY_RELAY "127.0.0.1:$relay_port"
ctest --test-dir "$build" --output-on-failure --parallel 2
stop_relay

step "zip"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=vrn-pc-$version-win64
stage=$out/stage/$name
rm -rf "$out/stage" "$out/$name.zip" "$out/$name.msi"
mkdir -p "$stage/platforms" "$stage/licenses"
# The programs of the zip. The windowed ones start by double-click: no console window, and
# Explorer shows their icon and version. A console program draws nothing on the screen and
# takes the offscreen platform plugin.
windowed_programs=(app/vrn-pc.exe)
console_programs=(cli/vrn-cli.exe)
plugins=(platforms/qwindows.dll)
[ ${#console_programs[@]} -gt 0 ] && plugins+=(platforms/qoffscreen.dll)
# Symbol tables are left out: nothing loads them (the MinGW runtime shrinks from 24 MB to 2 MB).
strip_to() { "$mingw-strip" --strip-unneeded -o "$2" "$1"; }
for program in "${windowed_programs[@]}" "${console_programs[@]}"; do
    strip_to "$build/$program" "$stage/$(basename "$program")"
done
for program in "${windowed_programs[@]}"; do
    exe=$stage/$(basename "$program")
    [[ "$("$mingw-objdump" -p "$exe")" == *"(Windows GUI)"* ]] \
        || { echo "error: $exe would open a console window" >&2; exit 1; }
    [ -n "$(wrestool -l --type=14 "$exe")" ] || { echo "error: $exe has no icon" >&2; exit 1; }
    [ -n "$(wrestool -l --type=16 "$exe")" ] \
        || { echo "error: $exe has no version resource" >&2; exit 1; }
done
for plugin in "${plugins[@]}"; do
    strip_to "$qt/plugins/$plugin" "$stage/$plugin"
done

# Every DLL that the programs and the plugins load, and the DLLs those load, from the Windows Qt
# and the MinGW runtime; the others (KERNEL32.dll, USER32.dll...) come with Windows.
search=("$qt/bin" "$gcc_runtime" "$pthread_runtime")
add_imports() {
    local dll dir
    for dll in $("$mingw-objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p'); do
        [ -e "$stage/$dll" ] && continue
        for dir in "${search[@]}"; do
            if [ -f "$dir/$dll" ]; then
                strip_to "$dir/$dll" "$stage/$dll"
                add_imports "$stage/$dll"
                break
            fi
        done
    done
}
for file in "$stage"/*.exe "$stage"/platforms/*.dll; do
    add_imports "$file"
done

# The licences of what the zip carries besides VRN-PC, with Windows line ends.
licence() { # <file> <name in licenses\>
    [ -f "$1" ] || { echo "error: the licence text $1 is missing" >&2; exit 1; }
    sed 's/$/\r/' "$1" >"$stage/licenses/$2"
}
licence /usr/share/common-licenses/LGPL-3 LGPL-3.0.txt
licence /usr/share/common-licenses/GPL-3 GPL-3.0.txt
licence /usr/share/doc/libqt6core6/copyright Qt-base.txt
licence /usr/share/doc/libqt6serialport6/copyright Qt-SerialPort.txt
licence /usr/share/doc/qt6-translations-l10n/copyright Qt-translations.txt
licence /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright GCC-runtime.txt
licence /usr/share/doc/mingw-w64-x86-64-dev/copyright MinGW-w64.txt
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' packaging/windows-readme.txt >"$stage/README.txt"
(cd "$out/stage" && zip -qr9 "$out/$name.zip" "$name")

step "start from the unpacked zip"
# Unpacked elsewhere and started without the build's DLL path, as a double-click on Windows
# starts it. The windows platform plugin draws real windows, here on a virtual X server: the
# launcher must appear.
check=$(mktemp -d)
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$check"' EXIT
unzip -q "$out/$name.zip" -d "$check"
if ! env -u WINEPATH xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
    bash scripts/windows-start.sh "$wine" "$wineserver" "$check/$name/vrn-pc.exe" \
    "$out/start.log"; then
    echo "error: vrn-pc.exe from the zip showed no launcher window within 30 s" >&2
    cat "$out/start.log" >&2
    exit 1
fi
echo "vrn-pc.exe from the unpacked zip opened its launcher window"

step "portable copy"
# A file named "portable" beside the programs keeps what they write in their folder. The zip
# unpacked once more, with that file: a start of vrn-pc and a Read of vrn-cli there (it saves a
# parameter file, so it writes the settings and the journal) must change nothing of the prefix
# and leave vrn-pc.ini and journal.jsonl in the folder.
portable_began=$(date +%s%N)
copy=$check/portable/$name
mkdir -p "$check/portable"
unzip -q "$out/$name.zip" -d "$check/portable"
: >"$copy/portable"
# What the programs must not change: every file and folder of drive_c (size, time; the copy is
# on Z:, outside it) and every key of the registry's Software branches, user and machine, with
# its values. Wine writes the registry to user.reg and system.reg when its server ends. The
# keys' time stamps (after the key's name and in #time= lines) are left out: wine writes some
# keys of its own anew with the same values whenever a program starts (Software\Wine\Fonts,
# Software\Microsoft\Windows NT\CurrentVersion), which renews their time stamps.
prefix_state() {
    "$wineserver" -w
    (cd "$WINEPREFIX/drive_c" && find . -printf '%p %y %s %T@\n' | LC_ALL=C sort)
    local hive
    for hive in user system; do
        awk -v hive="$hive" '
            /^\[/ { keep = /^\[Software\\\\/; sub(/\] [0-9]+$/, "]") }
            keep && !/^#time=/ { print hive ".reg " $0 }' "$WINEPREFIX/$hive.reg"
    done
}
prefix_state >"$check/before.txt"
# vrn-pc first: a wine session that vrn-cli began has no screen to draw vrn-pc's windows on.
if ! env -u WINEPATH xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
    bash scripts/windows-start.sh "$wine" "$wineserver" "$copy/vrn-pc.exe" "$out/portable-start.log"; then
    echo "error: vrn-pc.exe of the portable copy showed no launcher window within 30 s" >&2
    cat "$out/portable-start.log" >&2
    exit 1
fi
if ! env -u WINEPATH "$wine" "$copy/vrn-cli.exe" read --card vrn-a --port simulated \
    --out "$(windows_path "$copy/read.par")" </dev/null >"$out/portable.log" 2>&1; then
    echo "error: vrn-cli.exe of the portable copy could not read the simulated card" >&2
    cat "$out/portable.log" >&2
    exit 1
fi
prefix_state >"$check/after.txt"
if ! diff -u "$check/before.txt" "$check/after.txt" >"$out/portable.diff"; then
    echo "error: the portable copy wrote outside its folder (- before, + after):" >&2
    cat "$out/portable.diff" >&2
    exit 1
fi
for file in vrn-pc.ini journal.jsonl; do
    [ -s "$copy/$file" ] || { echo "error: the portable copy wrote no $file beside it" >&2; exit 1; }
done
echo "the portable copy kept its settings and journal in its folder and changed nothing of the" \
    "prefix ($(( ($(date +%s%N) - portable_began) / 1000000 )) ms)"

step "vrn-cli.exe from the zip on a fresh COM1"
# A card simulated on a pseudo-terminal, linked as COM1; the simulator and the Linux vrn-cli
# (which reads what the card holds, for comparison) from the Linux build, built when missing.
cmake --preset dev >/dev/null
cmake --build --preset dev --target vrn-card-sim vrn-cli >/dev/null
env -u WINEPATH scripts/windows-fresh-port.sh "$check/$name/vrn-cli.exe" \
    "$root/build/dev/cli/vrn-cli" "$root/build/dev/tools/vrn-card-sim" 10

step "installer"
scripts/windows-msi.sh "$stage" "$out/$name.msi" "$version"

echo
echo "Windows packages: build/windows/$name.zip ($(du -h "$out/$name.zip" | cut -f1))," \
    "build/windows/$name.msi ($(du -h "$out/$name.msi" | cut -f1))"
