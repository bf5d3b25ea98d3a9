#!/bin/sh
# Regenerates one file of each scenery generator into a temporary folder
# (a water surface, the clock's two pictures, the bubble sound) and compares
# them byte for byte with those committed under resources/scenery/: a change
# to a generator must come with its regenerated output.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
/usr/bin/python3 "$root/tools/content/backgrounds.py" "$out" surface1.jpg
/usr/bin/python3 "$root/tools/content/clock.py" "$out"
/usr/bin/python3 "$root/tools/content/bubbles.py" "$out"
status=0
for name in surface1.jpg clock.bmp clocka.bmp bubbles.wav; do
    if ! cmp -s "$out/$name" "$root/resources/scenery/$name"; then
        echo "resources/scenery/$name differs from what its generator writes"
        status=1
    fi
done
exit $status
