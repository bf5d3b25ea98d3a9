#!/bin/bash
# run-test.sh <command...>: runs one GoogleTest program (under Wine, the
# command starts with tools/wine-run.sh) and passes only when the program
# ran to its end: its exit code is 0, GoogleTest printed its closing summary
# ("[  PASSED  ] N tests") and no "[  FAILED  ]" line, and Wine reported no
# unhandled exception. Anything else fails with one last line that names the
# cause. An exit code alone is not enough: a program that calls exit(0)
# half-way, or crashes inside a callback that Wine survives, would pass.
set -u

output=$(mktemp)
trap 'rm -f "$output"' EXIT

"$@" 2>&1 | tee "$output"
code=${PIPESTATUS[0]}

cause=""
crash=$(grep -m 1 -o 'wine: Unhandled [^(]*' "$output")
if [ -n "$crash" ]; then
    cause="crashed (${crash% at address*})"
elif grep -q '^\[  FAILED  \]' "$output"; then
    cause="failing tests"
elif [ "$code" -ne 0 ]; then
    cause="exit code $code"
elif ! grep -q '^\[  PASSED  \] [0-9]* test' "$output"; then
    cause="ended before GoogleTest's closing summary (an early exit or a crash)"
fi
[ -n "$cause" ] || exit 0
[ "$code" -ne 0 ] && case "$cause" in exit*) ;; *) cause="$cause, exit code $code" ;; esac
echo "run-test: FAILED: $cause" >&2
exit 1
