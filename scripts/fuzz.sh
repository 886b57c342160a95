#!/bin/sh
# fuzz.sh [seconds-per-target] [target...]: builds the libFuzzer targets with
# clang in build-fuzz and runs each (default: every target) for the given time
# (default 60 s), starting from its hand-made seeds in fuzz/seeds/<target>/.
# Inputs found along the way stay in build-fuzz/corpus/<target>/; a crash or a
# broken promise is saved in build-fuzz/findings/<target>/ and named in the
# summary. Exits non-zero when any target found something.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
build=$root/build-fuzz

# clang and libFuzzer are needed only here, so they are installed only here.
if ! command -v clang++ >/dev/null 2>&1 ||
    ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    sudo=$([ "$(id -u)" -eq 0 ] && echo "" || echo sudo)
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends clang libfuzzer-14-dev
fi

if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTALLYBOOK_FUZZ=ON -DTALLYBOOK_TESTS=OFF
fi
cmake --build "$build" --target fuzzers

targets=${*:-$(cat "$build/fuzz-targets.txt")}
status=0
summary=""
for t in $targets; do
    corpus=$build/corpus/$t
    findings=$build/findings/$t
    mkdir -p "$corpus" "$findings"
    log=$build/$t.log
    start=$(date +%s)
    rc=0
    "$build/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -artifact_prefix="$findings/" -print_final_stats=1 \
        "$corpus" "$root/fuzz/seeds/$t" >"$log" 2>&1 || rc=$?
    ran=$(($(date +%s) - start))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    found=$(ls "$findings" | tr '\n' ' ')
    result=$([ "$rc" -eq 0 ] && echo "nothing found" || echo "FOUND (exit $rc): ${found:-see $log}")
    [ "$rc" -eq 0 ] || status=1
    line="$t: ${ran} s, ${runs:-?} runs, corpus $(ls "$corpus" | wc -l) inputs, $result"
    echo "$line"
    summary="$summary$line
"
done
printf '\nSummary\n%s' "$summary"
exit $status
