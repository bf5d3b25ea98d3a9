#!/bin/sh
# scramble.sh IN OUT: the scene description as the program stores it, every
# byte of every line complemented (XOR 255) and the line breaks (CR, LF)
# kept. The same step undoes itself. Only ASCII is accepted: the complements
# of the bytes 0xF2 and 0xF5 are CR and LF and would split lines, and 0xFF
# would become NUL.
set -eu
if [ "$(LC_ALL=C tr -d '\000-\177' < "$1" | wc -c)" -ne 0 ]; then
    echo "scramble.sh: $1 holds bytes that are not ASCII" >&2
    exit 1
fi
# Every byte but LF (10) and CR (13), and its complement, as octal escapes.
from=""
to=""
i=0
while [ "$i" -le 255 ]; do
    if [ "$i" -ne 10 ] && [ "$i" -ne 13 ]; then
        from="$from\\$(printf '%03o' "$i")"
        to="$to\\$(printf '%03o' $((255 - i)))"
    fi
    i=$((i + 1))
done
LC_ALL=C tr "$from" "$to" < "$1" > "$2.tmp"
mv "$2.tmp" "$2"
