#!/bin/sh
# with-display.sh <command...>: runs the command with a virtual 24-bit
# 1280x1024 screen (when no DISPLAY is set) and one persistent wineserver for
# all the Wine programs it starts; both are shut down afterwards (the server
# when no other run uses it).
set -eu
. "$(dirname "$0")/wine-env.sh"

"$corvalen_root/tools/wine-prefix.sh"

xvfb_pid=""
# Several runs may share the prefix, and so its one wineserver (a test run
# beside `make run`, two test runs): each run signs in under .display-runs/,
# and the last one out ends the server, if one of them started it. Ending it
# while another run still uses it kills that run's current program at once,
# with no output at all.
runs="$WINEPREFIX/.display-runs"
mkdir -p "$runs"
with_runs() { flock "$runs/.lock" sh -c "$1" with-runs "$runs" "$$"; }
with_runs 'touch "$1/$2"'
cleanup() {
    with_runs '
        rm -f "$1/$2"
        for run in "$1"/*; do
            [ -e "$run" ] || continue
            kill -0 "${run##*/}" 2>/dev/null && exit 0
            rm -f "$run"
        done
        [ -e "$1/.server" ] && { rm -f "$1/.server"; wineserver -k 2>/dev/null; }
        exit 0' || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
    # Xvfb takes a free display number itself (its lock is atomic) and names
    # it on fd 3 once it serves: runs that start together never share one
    # screen, and with it one pointer (a number picked here from the lock
    # files could be picked by both, and the second run would drive the
    # first one's mouse).
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$display_file" > /dev/null 2>&1 &
    xvfb_pid=$!
    i=0
    until [ -s "$display_file" ]; do
        i=$((i + 1))
        [ $i -lt 100 ] && kill -0 "$xvfb_pid" 2>/dev/null || {
            rm -f "$display_file"
            echo "with-display: Xvfb did not start" >&2
            exit 1
        }
        sleep 0.1
    done
    read -r n < "$display_file"
    rm -f "$display_file"
    export DISPLAY=":$n"
fi

# A persistent server for the whole run; when one already serves the prefix
# (another run), that one is used.
if wineserver -p 2>/dev/null; then
    with_runs 'touch "$1/.server"'
fi
# Start Wine's own service processes (services.exe, explorer.exe /desktop, ...)
# now, with no terminal or pipe attached: otherwise they would inherit the
# output pipe of the first test that starts them and keep it open, and CTest
# would wait for that test until its time limit.
wine rundll32.exe user32.dll,GetDesktopWindow < /dev/null > /dev/null 2>&1 || true
"$@"
