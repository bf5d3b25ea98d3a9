#!/bin/sh
# Regenerates the fish and bubble files into a temporary folder and compares
# them byte for byte with those committed under resources/: a change to the
# generator must come with its regenerated output, and the output must not
# depend on anything but the generator (fixed seeds, no clock, no locale).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
/usr/bin/python3 "$root/tools/content/make_fish.py" "$out" >/dev/null
status=0
count=0
for f in "$out"/*; do
    count=$((count + 1))
    name=$(basename "$f")
    if ! cmp -s "$f" "$root/resources/$name"; then
        echo "resources/$name differs from what tools/content/make_fish.py writes"
        status=1
    fi
done
[ "$count" -gt 0 ] || { echo "make_fish.py wrote nothing"; status=1; }
exit $status
