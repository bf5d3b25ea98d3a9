# Sourced by the Wine scripts: the private Wine prefix and the environment
# every Windows program of this tree runs in.
corvalen_root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${CORVALEN_WINEPREFIX:-$corvalen_root/build/wineprefix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
