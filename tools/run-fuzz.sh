#!/bin/sh
# run-fuzz.sh <build dir> <seconds>: builds the libFuzzer targets with clang
# and runs each for the given time from its corpus in tests/fuzz/corpus.
# Inputs that crash are written to <build dir>/crashes and the run fails.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
dir="$1"
seconds="$2"

if ! command -v clang++ > /dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a > /dev/null 2>&1; then
    echo "fuzz: installing clang and libFuzzer"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends clang libclang-rt-dev
fi

# Debug keeps assertions; -O1 (as fuzzing builds usually are) runs the
# instrumented targets several times faster than -O0, so a run covers ground.
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DCORVALEN_FUZZ=ON -DBUILD_TESTING=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" > /dev/null
# Each target and its corpus folder.
targets="scene_description_fuzz:scene-description text_mesh_fuzz:text-mesh bmp_fuzz:bmp ico_fuzz:ico jpeg_fuzz:jpeg
form_description_fuzz:form-description ini_fuzz:ini command_line_fuzz:command-line
registry_value_fuzz:registry-value skin_records_fuzz:skin-records stored_skin_fuzz:stored-skin"
# shellcheck disable=SC2046
cmake --build "$dir" -j"$(nproc)" --target $(for t in $targets; do printf '%s ' "${t%%:*}"; done)

mkdir -p "$dir/crashes"
status=0
run() {
    target="$1"
    corpus="$2"
    work="$dir/corpus-$target"
    mkdir -p "$work"
    echo "fuzz: $target for $seconds s"
    # The working corpus grows in build/; the committed seeds stay as they are.
    if ! "$dir/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$dir/crashes/$target-" "$work" "$root/tests/fuzz/corpus/$corpus" \
        > "$dir/$target.log" 2>&1; then
        status=1
        echo "fuzz: $target FAILED, see $dir/$target.log"
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$dir/$target.log" | sed "s/^/fuzz: $target /"
}
for t in $targets; do
    run "${t%%:*}" "${t#*:}"
done
exit $status
