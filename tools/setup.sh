#!/usr/bin/env bash
# Sets Krelvox up on Debian 12: installs the packages that are missing, then builds
# and starts the program ("run") or builds everything and runs every test ("test").
#
#   bash tools/setup.sh run [krelvox options]   # e.g. -create-db
#   bash tools/setup.sh test [ctest options]    # e.g. -R tst_repository
#
# "run" builds only the program and the demo service and hands over to
# tools/start.sh, which starts the demo service (a local stand-in for the video
# service) and the program on it, on a virtual screen when there is no display.
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
# A new build folder uses Ninja: with nothing to build, it knows so at once. A folder
# made earlier keeps its generator.
export CMAKE_GENERATOR="${CMAKE_GENERATOR:-Ninja}"

packages=(
    qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libgconf2-dev cmake g++ pkg-config
    mplayer xvfb xauth dbus dbus-x11 gconf2 ninja-build
    # setpriv: what the start command starts ends when the command is killed.
    util-linux
    # Fonts of the scripts that video titles come in: Latin, Greek and Cyrillic
    # (DejaVu); Arabic, Hebrew and Thai (Noto); Chinese, Japanese and Korean (Noto CJK).
    fonts-dejavu-core fonts-noto-core fonts-noto-cjk
    # Clicks and keys on the virtual screen for the test of the start command.
    xdotool
    # The upload benchmark's baseline.
    curl
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

# Only what "run" needs. A configured build folder is not configured again: the
# build notices changed CMake files by itself.
build_program() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build "$build" -j "$jobs" --target krelvox krelvox-demoservice
}

install_missing

if [ "$mode" = run ]; then
    build_program
    KRELVOX_BUILD_DIR="$build" exec bash "$root/tools/start.sh" "$@"
fi

build_all
# Tests run offscreen (CTest sets QT_QPA_PLATFORM) on a private session bus.
exec dbus-run-session -- ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
