#!/bin/sh
# Creates the private Wine prefix once: no Mono or Gecko prompt, no window
# manager decorations (closing a full-screen window otherwise takes 2 s),
# Arial drawn with Liberation Sans, Wine's own fonts (Marlett for the caption
# buttons, Tahoma, MS Sans Serif) found, crashes that end the program at
# once, and a sound device that plays into nothing.
#
# Nothing here is needed for OpenGL in child windows (the program's window,
# the dialog, the preview): Wine 8's X11 driver shows none of it whatever its
# settings, and the render window presents such frames by copy itself.
set -eu
. "$(dirname "$0")/wine-env.sh"

# The marker's number goes up whenever the settings below change, so that an
# older prefix gets them too.
ready="$WINEPREFIX/.corvalen-ready-5"
[ -f "$ready" ] && exit 0
echo "setup: preparing the Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f > /dev/null 2>&1
# Debian's Wine does not find the fonts of its data folder (fonts-wine) by
# itself; the folder is given as an extra font path.
for fonts in /usr/share/wine/fonts /usr/local/share/wine/fonts; do
    if [ -f "$fonts/marlett.ttf" ]; then
        wine reg add 'HKCU\Software\Wine\Fonts' /v Path /d "Z:$(printf '%s' "$fonts" | tr / '\\')" /f \
            > /dev/null 2>&1
        break
    fi
done
# A crashing program ends at once with its exception code as exit code
# (0xC0000094, a division by zero, is 148 to the shell), after Wine's line
# "wine: Unhandled <exception> at address ...". No debugger is started:
# winedbg --auto races the program's own end, leaving an exit code of 0 or
# the exception's at random, and a crash could pass as a success.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f > /dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f > /dev/null 2>&1
# A machine without a sound card gives Wine no wave output and no mixer:
# PlaySoundA and mixerOpen would only ever take their no-device paths. Wine's
# ALSA driver takes extra output devices by name; alsa-lib's "null" device
# (libasound2) accepts every sample and discards it, so sounds play in real
# time and the mixer's controls hold their values, with nothing to hear.
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers\winealsa.drv' /v ALSAOutputDevices /t REG_MULTI_SZ /d null /f \
    > /dev/null 2>&1
wineserver -w
rm -f "$WINEPREFIX/.corvalen-ready" "$WINEPREFIX/.corvalen-ready-2" "$WINEPREFIX/.corvalen-ready-3" \
    "$WINEPREFIX/.corvalen-ready-4"
touch "$ready"
