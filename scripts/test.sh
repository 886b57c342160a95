#!/bin/sh
# Builds and runs the whole suite twice: a normal build and an
# AddressSanitizer + UndefinedBehaviorSanitizer build. Both must pass.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)
export TZ=Asia/Tokyo LC_ALL=C.UTF-8 LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen

sh scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build --output-on-failure --parallel "$jobs"

sh scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTALLYBOOK_SANITIZE=ON
ctest --test-dir build-asan --output-on-failure --parallel "$jobs"
