#!/usr/bin/env bash
# Checks the Debian package's udev rule: that the package carries it in /usr/lib/udev/rules.d,
# that udev reads it without a complaint, and that it marks the ports of the listed USB serial
# adapters, and only those, as no modem for ModemManager.
#   ./scripts/check-package.sh            builds the package as scripts/package.sh does
#   ./scripts/check-package.sh BUILD_DIR  packs an existing build folder (cpack -G DEB)
# udevadm test runs the packaged rule with udev's own rules on simulated USB serial adapters: a
# made-up /sys, /dev and /run in a mount namespace of its own (unshare, as root), so neither the
# machine's devices nor its udev state are touched and no adapter needs to be plugged in.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

rule=60-vrn-pc-serial-adapters.rules
# vendor:product of the adapters the rule is for, and ones it must leave alone (a further FTDI
# product, a USB hub).
adapters=(0403:6001 0403:6010 0403:6011 0403:6014 0403:6015 1a86:7523 1a86:5523 1a86:7522
          10c4:ea60 10c4:ea70 10c4:ea71 067b:2303 067b:23a3)
others=(0403:6002 1d6b:0002)

vrn_install_missing "${VRN_PACKAGE_CHECK_PACKAGES[@]}"
if [ $# -gt 0 ]; then
    build=$1
    (cd "$build" && cpack -G DEB >/dev/null)
else
    build=${VRN_PACKAGE_DIR:-build/package}
    VRN_PACKAGE_DIR=$build ./scripts/package.sh >/dev/null
fi
deb=$(ls -t "$build"/vrn-pc_*.deb | head -n 1)

work="$(mktemp -d "${TMPDIR:-/tmp}/vrn-package.XXXXXX")"
trap 'rm -rf "$work"' EXIT
dpkg -c "$deb" >"$work/contents"
if ! grep -q " \./usr/lib/udev/rules\.d/$rule\$" "$work/contents"; then
    echo "FAIL: $deb has no usr/lib/udev/rules.d/$rule" >&2
    exit 1
fi
dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/lib/udev/rules.d/$rule" >"$work/$rule"

# Runs udevadm test on simulated adapter number $2 with USB id $1 (vendor:product) and writes
# what it says to $work/<id>.log. Run inside the mount namespace.
simulate() {
    local usb=/sys/devices/pci0000:00/0000:00:14.0/usb1/1-$2
    local port=$usb/1-$2:1.0/ttyUSB$2
    local tty=$port/tty/ttyUSB$2
    mkdir -p "$tty"
    echo "${1%:*}" >"$usb/idVendor"
    echo "${1#*:}" >"$usb/idProduct"
    echo DEVTYPE=usb_device >"$usb/uevent"
    echo DEVTYPE=usb_interface >"$usb/1-$2:1.0/uevent"
    : >"$port/uevent"
    printf 'MAJOR=188\nMINOR=%s\nDEVNAME=ttyUSB%s\n' "$2" "$2" >"$tty/uevent"
    echo "188:$2" >"$tty/dev"
    ln -s /sys/bus/usb "$usb/subsystem"
    ln -s /sys/bus/usb "$usb/1-$2:1.0/subsystem"
    ln -s /sys/bus/usb-serial "$port/subsystem"
    ln -s /sys/class/tty "$tty/subsystem"
    # SYSTEMD_DEVICE_VERIFY_SYSFS=0: udev takes the made-up /sys (a tmpfs) for sysfs.
    SYSTEMD_DEVICE_VERIFY_SYSFS=0 SYSTEMD_LOG_LEVEL=debug \
        udevadm test --action=add "$tty" >"$work/$1.log" 2>&1
}

in_namespace() {
    set -euo pipefail
    mount -t tmpfs tmpfs /sys
    mount -t tmpfs tmpfs /dev
    mount -t tmpfs tmpfs /run
    mkdir -p /sys/bus/usb /sys/bus/usb-serial /sys/class/tty /run/udev/rules.d
    cp "$work/$rule" /run/udev/rules.d/
    local id n=0
    for id in "${adapters[@]}" "${others[@]}"; do
        simulate "$id" $((n += 1))
    done
}
if ! unshare --mount --propagation private \
        bash -c "$(declare -p work rule adapters others; declare -f simulate in_namespace)
                 in_namespace"; then
    echo "FAIL: udevadm test did not run on the simulated adapters (unshare needs root)" >&2
    exit 1
fi

failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}
log=$work/${adapters[0]}.log
# udev names the file and line of everything it rejects or drops while it reads the rules.
grep -q "^Reading rules file: /run/udev/rules.d/$rule\$" "$log" || fail "udevadm did not read $rule"
if grep "^/run/udev/rules.d/$rule:" "$log" >&2; then
    fail "udev complains about $rule"
fi
for id in "${adapters[@]}"; do
    grep -qx ID_MM_DEVICE_IGNORE=1 "$work/$id.log" && grep -qx ID_MM_PORT_IGNORE=1 "$work/$id.log" \
        || fail "the port of a $id adapter is not kept from ModemManager"
done
for id in "${others[@]}"; do
    if grep -q '^ID_MM_.*_IGNORE=' "$work/$id.log"; then
        fail "the port of a $id device is kept from ModemManager"
    fi
done
[ $failed -eq 0 ] || exit 1
echo "$deb: $rule in usr/lib/udev/rules.d; udev reads it and keeps ModemManager off" \
    "${#adapters[@]} adapters, not off the ${#others[@]} other devices"
