#!/usr/bin/env bash
# Sets Krelvox up on Debian 12: installs the packages that are missing, then builds
# and starts the program ("run") or builds everything and runs every test ("test").
# "sanitize" builds the tests and the fuzzing harnesses with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer in a folder of their own and runs them all: every
# test, and each harness for a few seconds on its seeds; any sanitizer report fails.
# It is a second whole build, which CI runs after "test". "fuzz" builds and runs
# only the harnesses, in the same folder: a short build for work on a reader.
#
#   bash tools/setup.sh run [krelvox options]    # e.g. -create-db
#   bash tools/setup.sh test [ctest options]     # e.g. -R tst_repository
#   bash tools/setup.sh sanitize [ctest options] # e.g. -R tst_feedparser
#   bash tools/setup.sh fuzz [ctest options]     # e.g. -R fuzz_videofeed
#
# "run" builds only the program and the demo service and hands over to
# tools/start.sh, which starts the demo service (a local stand-in for the video
# service) and the program on it, on a virtual screen when there is no display.
#
# Run it as root or as a user who may use sudo (only apt needs it). When every
# package is installed already, apt is not called at all, so a second run needs no
# network. KRELVOX_BUILD_DIR chooses the build folder (default: build/ in the tree),
# KRELVOX_SANITIZE_BUILD_DIR the sanitizer build's (default: build-sanitize/).
set -euo pipefail

mode="${1:-}"
case "$mode" in
    run | test | sanitize | fuzz) shift ;;
    *)
        echo "usage: $0 run|test|sanitize|fuzz [arguments]" >&2
        exit 2
        ;;
esac

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KRELVOX_BUILD_DIR:-$root/build}"
sanitize_build="${KRELVOX_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
jobs="$(nproc 2>/dev/null || echo 2)"
# A new build folder uses Ninja: with nothing to build, it knows so at once. A folder
# made earlier keeps its generator.
export CMAKE_GENERATOR="${CMAKE_GENERATOR:-Ninja}"

packages=(
    qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libsqlite3-dev libgconf2-dev libfontconfig-dev cmake g++ pkg-config
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
# The sanitizer build and the fuzzing harnesses (clang with libFuzzer), for
# "sanitize" and "fuzz" only.
if [ "$mode" = sanitize ] || [ "$mode" = fuzz ]; then
    packages+=(clang libclang-rt-dev)
fi

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

# The sanitizer build: everything, or (with a target) only that.
build_sanitized() {
    # Debug keeps the assertions; -O1 and line tables only keep the build short and
    # still give the sanitizers' reports their source lines.
    cmake -S "$root" -B "$sanitize_build" -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_COMPILER=clang++ \
        -DKRELVOX_FUZZ=ON -DKRELVOX_BUILD_BENCH=OFF
    cmake --build "$sanitize_build" -j "$jobs" "$@"
}

install_missing

if [ "$mode" = sanitize ]; then
    build_sanitized
    exec dbus-run-session -- ctest --test-dir "$sanitize_build" --output-on-failure -j "$jobs" "$@"
fi

if [ "$mode" = fuzz ]; then
    build_sanitized --target krelvox_fuzzers
    exec ctest --test-dir "$sanitize_build" -L fuzz --output-on-failure -j "$jobs" "$@"
fi

if [ "$mode" = run ]; then
    build_program
    KRELVOX_BUILD_DIR="$build" exec bash "$root/tools/start.sh" "$@"
fi

build_all
# Tests run offscreen (CTest sets QT_QPA_PLATFORM) on a private session bus.
exec dbus-run-session -- ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
