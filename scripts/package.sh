#!/bin/sh
# Builds the Debian package in build-deb/ from this checkout: a release build
# without tests, installed under /usr. Prints the package's path.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/build.sh build-deb -DCMAKE_BUILD_TYPE=Release -DTALLYBOOK_TESTS=OFF
cd build-deb
cpack -G DEB
ls "$PWD"/tallybook_*.deb
