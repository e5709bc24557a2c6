#!/usr/bin/env bash
# Builds the Windows Installer package of VRN-PC from the zip's folder and checks it under wine:
# a silent install puts the folder's files into "C:\Program Files\VRN-PC", the Start-menu
# shortcut and the entry of the installed programs; the installed vrn-pc.exe shows its launcher;
# a newer package replaces the installed one; a silent uninstall leaves nothing behind.
#   scripts/windows-msi.sh <folder> <package.msi> <version>
# for example, on the folder of scripts/windows.sh's last zip:
#   scripts/windows-msi.sh build/windows/stage/vrn-pc-0.1.0-win64 /tmp/vrn-pc-0.1.0.msi 0.1.0
# scripts/windows.sh calls it after the zip's start check. The checks run in a wine prefix of
# their own, made for them and removed afterwards, so that the tests' prefix never holds an
# installed VRN-PC, whatever the outcome.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 <folder> <package.msi> <version>" >&2; exit 2; }
stage=$(realpath "$1")
msi=$(realpath -m "$2")
version=$3
root=$(realpath "$(dirname "$0")/..")
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
started=$(date +%s)

[ -f "$stage/vrn-pc.exe" ] || { echo "error: $stage holds no vrn-pc.exe" >&2; exit 1; }
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] \
    || { echo "error: the version '$version' is not major.minor.patch" >&2; exit 1; }

work=$(mktemp -d)
# The logs of msiexec and of the started program, kept for a look after a failed check.
logs=$(dirname "$msi")/msi-check
rm -rf "$logs"
mkdir -p "$logs"
export WINEPREFIX=$work/wine WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko set-up dialogs, and no menu entries of the Linux desktop for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH DISPLAY
cleanup() {
    if [ -d "$WINEPREFIX" ]; then "$wineserver" -k 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# The components of the folder's files, but those the template lists itself (the program with its
# shortcut), one file a component, in the folders of the zip. The ids come from the paths, so they
# stay the same from build to build.
template=$root/packaging/vrn-pc.wxs
# shellcheck disable=SC2016 # the $ is wixl's, not the shell's
listed=$(sed -n 's/.*Source="\$(var.StageDir)\/\([^"]*\)".*/\1/p' "$template")
id() { printf '%s_%s' "$1" "$(printf '%s' "$2" | md5sum | cut -c1-32)"; }
components=()
directory() { # <folder relative to the stage, "" for the stage itself> <indent>
    local rel=$1 indent=$2 path name
    for path in "$stage${rel:+/$rel}"/*; do
        name=$(basename "$path")
        [[ "$name" =~ ^[A-Za-z0-9._+-]+$ ]] \
            || { echo "error: the file name '$name' needs quoting for the package" >&2; exit 1; }
        local file=${rel:+$rel/}$name
        if [ -d "$path" ]; then
            echo "$indent<Directory Id=\"$(id d "$file")\" Name=\"$name\">"
            directory "$file" "$indent  "
            echo "$indent</Directory>"
        elif ! grep -qxF "$file" <<<"$listed"; then
            components+=("$(id c "$file")")
            echo "$indent<Component Id=\"$(id c "$file")\" Guid=\"*\" Win64=\"yes\">"
            echo "$indent  <File Id=\"$(id f "$file")\" Name=\"$name\"" \
                "Source=\"\$(var.StageDir)/$file\" KeyPath=\"yes\"/>"
            echo "$indent</Component>"
        fi
    done
}
files=$work/files.wxs
{
    echo '<?xml version="1.0" encoding="utf-8"?>'
    echo '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">'
    echo '  <Fragment>'
    echo '    <DirectoryRef Id="INSTALLDIR">'
    directory "" "      "
    echo '    </DirectoryRef>'
    echo '    <ComponentGroup Id="StageFiles">'
    for component in "${components[@]}"; do
        echo "      <ComponentRef Id=\"$component\"/>"
    done
    echo '    </ComponentGroup>'
    echo '  </Fragment>'
    echo '</Wix>'
} >"$files"

# The program's icon, taken from vrn-pc.exe itself.
icon=$work/vrn-pc.ico
wrestool -x --type=14 -o "$icon" "$stage/vrn-pc.exe"
[ -s "$icon" ] || { echo "error: no icon in $stage/vrn-pc.exe" >&2; exit 1; }

# wixl takes the files' paths relative to the folder it runs in.
ln -s "$stage" "$work/stage"
build_msi() { # <version> <package.msi>
    (cd "$work" && wixl --arch x64 -D Version="$1" -D StageDir=stage -D IconFile=vrn-pc.ico \
        -o "$2" "$template" "$files") || { echo "error: wixl could not build $2" >&2; exit 1; }
}
build_msi "$version" "$msi"
# A per-machine package, as IT departments deploy it: on Windows, ALLUSERS=1 also puts the
# shortcut into the Start menu of all users, which wine does not (see below).
msiinfo export "$msi" Property | tr -d '\r' | grep -qx $'ALLUSERS\t1' \
    || { echo "error: $msi is not a per-machine package (no ALLUSERS=1)" >&2; exit 1; }
echo "built $msi ($(du -h "$msi" | cut -f1))"

step() { echo "-- $* ($(( $(date +%s) - started )) s)"; }
fail() { echo "error: $*" >&2; exit 1; }
step "a wine prefix for the checks"
"$wine" wineboot -i </dev/null >"$work/wineboot.log" 2>&1 \
    || { cat "$work/wineboot.log" >&2; fail "wineboot could not make a wine prefix"; }
"$wineserver" -w # the set-up goes on in the background until its server ends

installed="$WINEPREFIX/drive_c/Program Files/VRN-PC"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
msiexec() { # </i or /x> <package.msi> <log>: silently, with a full log
    local rc=0
    "$wine" msiexec "$1" "$(windows_path "$2")" /qn /l*v "$(windows_path "$3")" \
        </dev/null >/dev/null 2>&1 || rc=$?
    [ $rc -eq 0 ] || { tail -n 40 "$3" >&2; fail "msiexec $1 $2 ended with $rc (the log: $3)"; }
}
# The installed programs' entries named VRN-PC, a line each: <version> <maker>.
entries() {
    local key
    "$wine" reg query "$uninstall_key" </dev/null 2>/dev/null | tr -d '\r' | grep -i '^HKEY' |
        while read -r key; do
            local values
            values=$("$wine" reg query "$key" </dev/null 2>/dev/null | tr -d '\r')
            grep -qE '^\s+DisplayName\s+REG_SZ\s+VRN-PC$' <<<"$values" || continue
            echo "$(sed -nE 's/^\s+DisplayVersion\s+REG_SZ\s+//p' <<<"$values")" \
                "$(sed -nE 's/^\s+Publisher\s+REG_SZ\s+//p' <<<"$values")"
        done
}
check_installed() { # <version>
    [ -f "$installed/vrn-pc.exe" ] || fail 'no C:\Program Files\VRN-PC\vrn-pc.exe after the install'
    diff -r "$stage" "$installed" >"$work/diff" \
        || { cat "$work/diff" >&2; fail "the installed files are not the zip's folder"; }
    [ -f "$shortcut" ] || fail "no Start-menu shortcut VRN-PC.lnk after the install"
    local link shortcut_icon
    link=$(strings -a "$shortcut"; strings -a -el "$shortcut") # ANSI and UTF-16 texts
    grep -qxF 'C:\Program Files\VRN-PC\vrn-pc.exe' <<<"$link" \
        || fail "the Start-menu shortcut does not lead to C:\Program Files\VRN-PC\vrn-pc.exe"
    # The shortcut's icon: the program's, kept by Windows Installer in C:\windows\Installer.
    shortcut_icon=$(sed -n 's/^.*C:\\\(windows\\Installer\\.*\.ico\)$/\1/p' <<<"$link")
    cmp -s "$icon" "$WINEPREFIX/drive_c/${shortcut_icon//\\//}" \
        || fail "the Start-menu shortcut does not show the program's icon"
    local found
    found=$(entries)
    [ "$found" = "$1 VRN-PC" ] \
        || fail "the installed programs show '${found//$'\n'/; }' for VRN-PC, not one '$1 VRN-PC'"
    echo "installed: the $(find "$installed" -type f | wc -l) files of the zip's folder," \
        "the shortcut with the program's icon, one entry of the installed programs: $found"
}
check_removed() {
    [ ! -e "$installed" ] \
        || { find "$installed" >&2; fail 'the uninstall left C:\Program Files\VRN-PC'; }
    [ ! -e "$shortcut" ] || fail "the uninstall left the Start-menu shortcut"
    [ ! -e "$programs/VRN-PC" ] || fail "the uninstall left a Start-menu folder VRN-PC"
    [ -z "$(entries)" ] || fail "the uninstall left the entry of the installed programs"
    local left
    left=$(find "$WINEPREFIX/drive_c" -iname '*vrn*')
    [ -z "$left" ] || fail "the uninstall left: $left"
    "$wineserver" -w # the registry is on disc once the server has ended
    left=$(grep -il vrn "$WINEPREFIX"/*.reg || true)
    [ -z "$left" ] || fail "the uninstall left VRN-PC in the registry ($left)"
    echo "removed: no install folder, no shortcut, no entry of the installed programs," \
        "no file or registry key naming VRN"
}

step "install"
msiexec /i "$msi" "$logs/install.log"
# Windows puts the shortcut of a per-machine install into the Start menu of all users
# (C:\ProgramData\...); wine's msiexec into the installing user's. The Start menu is the one the
# install used, as its log tells.
programs=$(sed -n 's/^Property(S): ProgramMenuFolder = C:\\\(.*\)\r\?$/\1/p' "$logs/install.log")
[ -n "$programs" ] || fail "the install's log tells no ProgramMenuFolder"
programs="$WINEPREFIX/drive_c/${programs//\\//}"
shortcut=$programs/VRN-PC.lnk
check_installed "$version"

step "start the installed vrn-pc.exe"
# A new wine server, and with it a desktop on the virtual screen rather than on none.
"$wineserver" -k 2>/dev/null || true
if ! xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
    bash "$root/scripts/windows-start.sh" "$wine" "$wineserver" "$installed/vrn-pc.exe" \
    "$logs/start.log"; then
    cat "$logs/start.log" >&2
    fail "the installed vrn-pc.exe showed no launcher window within 30 s"
fi
echo "the installed vrn-pc.exe opened its launcher window"

step "uninstall"
msiexec /x "$msi" "$logs/uninstall.log"
check_removed

# A package of the same folder with the next patch version, installed over this one.
newer=${version%.*}.$(( ${version##*.} + 1 ))
newer_msi=$work/vrn-pc-$newer-win64.msi
step "upgrade to $newer"
build_msi "$newer" "$newer_msi"
msiexec /i "$msi" "$logs/install-again.log"
msiexec /i "$newer_msi" "$logs/upgrade.log"
check_installed "$newer"
msiexec /x "$newer_msi" "$logs/uninstall-newer.log"
check_removed

step "done"
echo "the package installs, starts, upgrades and uninstalls in $(( $(date +%s) - started )) s"
