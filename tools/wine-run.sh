#!/bin/sh
# Runs one Windows program under Wine in the tree's private prefix; CTest
# uses it as the emulator of the target build. Without a DISPLAY it brings
# its own virtual screen (tools/with-display.sh does that once for a whole
# test run, which is much faster). Its exit code is the program's (the low
# eight bits of it): a crash gives its exception code's, never 0, because the
# prefix starts no debugger (tools/wine-prefix.sh).
set -eu
. "$(dirname "$0")/wine-env.sh"

"$corvalen_root/tools/wine-prefix.sh"
if [ -z "${DISPLAY:-}" ]; then
    exec "$corvalen_root/tools/with-display.sh" wine "$@"
fi
exec wine "$@"
