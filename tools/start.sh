#!/usr/bin/env bash
# Starts the built Krelvox for a person to use it (tools/setup.sh run builds, then
# comes here). In order:
#   1. the demo service, a local stand-in for the video service with content of its
#      own, unless KRELVOX_SERVICE_BASE_URL already names a service;
#   2. a private session bus, unless there is one;
#   3. without a display, a virtual 800x480 screen, pictured in a file every 2 seconds;
#   4. the program, with this script's arguments.
# However the program ends (its Exit, a kill, Ctrl-C or a kill of this script), the
# script ends everything it started before it returns. Should the script itself be
# killed outright (SIGKILL, which it cannot trap), each helper and the program get
# SIGTERM from the kernel as their parent dies, so nothing is left behind either.
#
#   KRELVOX_BUILD_DIR  the build folder (default: build/ in the tree)
#   KRELVOX_RUN_DIR    the folder of the screen picture and of the program's and the
#                      demo service's logs (default: run/ in the build folder)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KRELVOX_BUILD_DIR:-$root/build}"
run_dir="${KRELVOX_RUN_DIR:-$build/run}"
program="$build/app/krelvox"
demo_service="$build/tools/demoservice/krelvox-demoservice"
screen_picture="$run_dir/screen.png"
program_log="$run_dir/krelvox.log"
service_log="$run_dir/demoservice.log"
session_log="$run_dir/session.log"   # the session bus's and the virtual screen's messages
mkdir -p "$run_dir"
: >"$session_log"

# ---- Ending what was started

started=()   # process ids, in the order of starting
# Starts a command that ends (SIGTERM) when this script dies, however it dies.
end_with_script=(setpriv --pdeathsig TERM)

stop_started() {
    local i
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        kill "${started[i]}" 2>/dev/null || true
    done
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        wait "${started[i]}" 2>/dev/null || true
    done
    rm -f "$run_dir/Xauthority" "$run_dir/display" "$run_dir/bus"
}
trap stop_started EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits until the process has written count lines to its file, and prints them.
wait_for_lines() {
    local file="$1" pid="$2" count="$3" name="$4"
    until [ "$(wc -l <"$file")" -ge "$count" ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "$name did not start; see $file" >&2
            return 1
        fi
        sleep 0.01
    done
    head -n "$count" "$file"
}

# ---- The helpers

start_demo_service() {
    if [ -n "${KRELVOX_SERVICE_BASE_URL:-}" ]; then
        echo "Krelvox uses the video service at $KRELVOX_SERVICE_BASE_URL."
        return
    fi
    : >"$service_log"
    "${end_with_script[@]}" "$demo_service" >"$service_log" &
    started+=("$!")
    # It starts with the lines "KRELVOX_SERVICE_BASE_URL=<address>" and the demo account's.
    local lines address
    lines="$(wait_for_lines "$service_log" "$!" 2 "The demo service")"
    address="${lines%%$'\n'*}"
    export KRELVOX_SERVICE_BASE_URL="${address#KRELVOX_SERVICE_BASE_URL=}"
    echo "Demo service at $KRELVOX_SERVICE_BASE_URL, ${lines#*$'\n'}; its requests go to $service_log."
}

start_session_bus() {
    if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
        return
    fi
    : >"$run_dir/bus"
    "${end_with_script[@]}" dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$run_dir/bus" 2>>"$session_log" &
    started+=("$!")
    DBUS_SESSION_BUS_ADDRESS="$(wait_for_lines "$run_dir/bus" "$!" 1 "The session bus")"
    export DBUS_SESSION_BUS_ADDRESS
}

start_virtual_screen() {
    # Only clients that show the cookie may connect. The server reads the cookie from
    # the file whatever display its entry names; clients look it up under the
    # display's number, which the server tells once it is up.
    export XAUTHORITY="$run_dir/Xauthority"
    local cookie
    cookie="$(mcookie)"
    : >"$XAUTHORITY"
    xauth -q -f "$XAUTHORITY" add :0 . "$cookie"
    : >"$run_dir/display"
    "${end_with_script[@]}" Xvfb -displayfd 3 -screen 0 800x480x24 -nolisten tcp -auth "$XAUTHORITY" \
        3>"$run_dir/display" 2>>"$session_log" &
    started+=("$!")
    DISPLAY=":$(wait_for_lines "$run_dir/display" "$!" 1 "The virtual screen")"
    export DISPLAY
    xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie"
}

# ---- The program

start_demo_service
start_session_bus
if [ -n "${DISPLAY:-}" ]; then
    echo "Krelvox runs in a window; its messages go to $program_log."
    "${end_with_script[@]}" "$program" -no-fullscreen "$@" 2>"$program_log" &
else
    start_virtual_screen
    echo "Krelvox runs full screen on a virtual 800x480 screen (DISPLAY=$DISPLAY XAUTHORITY=$XAUTHORITY):" \
        "$screen_picture shows it, renewed every 2 seconds; Ctrl-C stops it; its messages go to $program_log."
    KRELVOX_SCREENSHOT="$screen_picture" "${end_with_script[@]}" "$program" "$@" 2>"$program_log" &
fi
started+=("$!")
# A trapped signal ends the wait at once. The program's status is the script's.
status=0
wait "$!" || status=$?
if [ "$status" -ne 0 ]; then
    echo "Krelvox ended with status $status; the end of its messages ($program_log):" >&2
    tail -n 5 "$program_log" >&2
fi
exit "$status"
