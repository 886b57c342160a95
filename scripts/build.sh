#!/bin/sh
# build.sh <build-dir> [cmake options...]: configures (once) and builds incrementally.
set -eu
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "$@"
fi
cmake --build "$dir" --parallel "$jobs"
