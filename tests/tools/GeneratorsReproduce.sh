#!/bin/sh
# The content generators write again, byte for byte, what resources/ holds:
# one picture of the backgrounds, the clock's pictures and the bubble sound.
# A change to a generator that is not followed by a run of it fails here.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$root/tools/content/backgrounds.py" "$out" surface1.jpg
"$root/tools/content/clock.py" "$out"
"$root/tools/content/bubbles.py" "$out"
status=0
for f in surface1.jpg clock.bmp clocka.bmp bubbles.wav; do
    cmp "$out/$f" "$root/resources/scenery/$f" || status=1
done
exit $status
