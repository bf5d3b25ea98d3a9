#!/bin/sh
# Runs one Windows program under Wine in the tree's private prefix; CTest
# uses it as the emulator of the target build. Without a DISPLAY it brings
# its own virtual screen (tools/with-display.sh does that once for a whole
# test run, which is much faster).
set -eu
. "$(dirname "$0")/wine-env.sh"

"$corvalen_root/tools/wine-prefix.sh"
if [ -z "${DISPLAY:-}" ]; then
    exec "$corvalen_root/tools/with-display.sh" wine "$@"
fi
exec wine "$@"
