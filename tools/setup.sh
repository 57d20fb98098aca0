#!/usr/bin/env bash
# Sets Krelvox up on Debian 12: installs the packages that are missing, builds the
# program, and then starts it ("run") or runs every test ("test").
#
#   bash tools/setup.sh run [krelvox options]   # e.g. -create-db
#   bash tools/setup.sh test [ctest options]    # e.g. -R tst_repository
#
# Run it as root or as a user who may use sudo (only apt needs it). When every
# package is installed already, apt is not called at all, so a second run needs no
# network. KRELVOX_BUILD_DIR chooses the build folder (default: build/ in the tree).
set -euo pipefail

mode="${1:-}"
case "$mode" in
    run | test) shift ;;
    *)
        echo "usage: $0 run|test [arguments]" >&2
        exit 2
        ;;
esac

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KRELVOX_BUILD_DIR:-$root/build}"
jobs="$(nproc 2>/dev/null || echo 2)"

packages=(
    qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libgconf2-dev cmake g++ pkg-config
    mplayer xvfb xauth dbus dbus-x11 gconf2 fonts-dejavu-core
)

install_missing() {
    local missing=() package
    for package in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

build_all() {
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build" -j "$jobs"
}

install_missing
build_all

if [ "$mode" = run ]; then
    program="$build/app/krelvox"
    # The program talks to the session bus; start a private one when there is none.
    bus=()
    if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
        bus=(dbus-run-session --)
    fi
    if [ -n "${DISPLAY:-}" ]; then
        exec "${bus[@]}" "$program" -no-fullscreen "$@"
    fi
    # No display: a virtual screen of the device's size.
    exec xvfb-run -a -s "-screen 0 800x480x24" "${bus[@]}" "$program" "$@"
fi

# Tests run offscreen (CTest sets QT_QPA_PLATFORM) on a private session bus.
exec dbus-run-session -- ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
