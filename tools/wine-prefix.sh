#!/bin/sh
# Creates the private Wine prefix once: no Mono or Gecko prompt, no window
# manager decorations (closing a full-screen window otherwise takes 2 s),
# Arial drawn with Liberation Sans.
set -eu
. "$(dirname "$0")/wine-env.sh"

[ -f "$WINEPREFIX/.corvalen-ready" ] && exit 0
echo "setup: creating the Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f > /dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.corvalen-ready"
