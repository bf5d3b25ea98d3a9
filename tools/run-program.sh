#!/bin/sh
# run-program.sh <program> [args...]: runs a Windows program of this tree
# under Wine. With a display it simply runs. Without one it runs on a virtual
# screen, saves a screenshot after a few seconds to build/screenshot.png,
# prints its path and ends the program.
set -eu
. "$(dirname "$0")/wine-env.sh"
"$corvalen_root/tools/wine-prefix.sh"

if [ -n "${DISPLAY:-}" ] && [ -z "${CORVALEN_SCREENSHOT:-}" ]; then
    exec wine "$@"
fi

shot="$corvalen_root/build/screenshot.png"
export CORVALEN_SCREENSHOT=1
exec "$corvalen_root/tools/with-display.sh" sh -c '
    wine "$@" &
    pid=$!
    sleep "${CORVALEN_SHOT_DELAY:-5}"
    import -window root "'"$shot"'"
    kill $pid 2>/dev/null || true
    echo "screenshot: '"$shot"'"
' run-program "$@"
