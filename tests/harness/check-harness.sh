#!/bin/bash
# check-harness.sh <probe.exe>: the test runner's own check. Each case of
# the probe ends its program in one way; tools/run-test.sh must pass the
# program that ran to its end and fail every other one, naming the cause.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
probe=$1
failures=0

# expect <probe case> <expected run-test exit code> <text its last line holds>
expect() {
    local out code last
    out=$("$root/tools/run-test.sh" "$root/tools/wine-run.sh" "$probe" --gtest_brief=1 \
          --gtest_filter="HarnessProbe.$1" 2>&1)
    code=$?
    last=$(printf '%s\n' "$out" | tail -n 1)
    if [ "$code" -ne "$2" ] || ! printf '%s' "$last" | grep -qF "$3"; then
        echo "check-harness: $1: run-test gave exit $code and \"$last\";" \
             "expected exit $2 and a line with \"$3\""
        failures=$((failures + 1))
    fi
}

expect Passes 0 "[  PASSED  ] 1 test"
expect DividesByZero 1 "FAILED: crashed (wine: Unhandled division by zero)"
expect OverflowsTheStack 1 "FAILED: crashed (wine: Unhandled stack overflow)"
expect ExitsEarly 1 "FAILED: ended before GoogleTest's closing summary"
[ "$failures" -eq 0 ] && echo "4 passed, 0 failed"
exit $((failures > 0))
