#!/bin/sh
# run-program.sh <program> [args...]: runs a Windows program of this tree
# under Wine. With a display it simply runs (the screen saver without
# arguments shows its settings dialog). Without one it runs on a virtual
# screen twice: as given (the dialog, with its live preview) and as the
# full-screen saver ("/s"); after a few seconds of each it saves a
# screenshot, prints its path and ends the program.
set -eu
. "$(dirname "$0")/wine-env.sh"
"$corvalen_root/tools/wine-prefix.sh"

if [ -n "${DISPLAY:-}" ] && [ -z "${CORVALEN_SCREENSHOT:-}" ]; then
    exec wine "$@"
fi

export CORVALEN_SCREENSHOT=1
exec "$corvalen_root/tools/with-display.sh" sh -c '
    # shot <file> <program> [args...]: runs the program, shoots the screen, ends it.
    shot() {
        file=$1
        shift
        wine "$@" &
        pid=$!
        sleep "${CORVALEN_SHOT_DELAY:-5}"
        import -window root "$file"
        kill $pid 2>/dev/null || true
        wait $pid 2>/dev/null || true
        echo "screenshot: $file"
    }
    shot "'"$corvalen_root"'/build/screenshot-dialog.png" "$@"
    shot "'"$corvalen_root"'/build/screenshot-saver.png" "$1" /s
' run-program "$@"
