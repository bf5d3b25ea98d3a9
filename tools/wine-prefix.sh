#!/bin/sh
# Creates the private Wine prefix once: no Mono or Gecko prompt, no window
# manager decorations (closing a full-screen window otherwise takes 2 s),
# Arial drawn with Liberation Sans, and crashes that end the program at once.
# The marker holds the settings' version, so a prefix made by an older
# version of this script gets the newer settings too.
set -eu
. "$(dirname "$0")/wine-env.sh"

version=2
marker="$WINEPREFIX/.corvalen-ready"
[ "$(cat "$marker" 2>/dev/null)" = "$version" ] && exit 0
echo "setup: preparing the Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
[ -f "$marker" ] || wineboot -i > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f > /dev/null 2>&1
# A crashing program: Wine starts its debugger automatically (AeDebug), which
# prints the fault and a backtrace to the program's error output and ends
# it with a failing exit code. Without ShowCrashDialog = 0 the debugger
# waits for someone to answer its dialog, and a crash costs a test time-out.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
    /d 'winedbg --auto %ld %ld' /f > /dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null 2>&1
wineserver -w
echo "$version" > "$marker"
