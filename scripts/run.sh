#!/bin/sh
# Builds Tallybook and starts it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Run Tallybook on a virtual screen instead, e.g.:" >&2
    echo "  QT_QPA_PLATFORM=vnc:size=480x800 $root/build/app/tallybook   (then connect a VNC viewer to port 5900)" >&2
    exit 1
fi
exec "$root/build/app/tallybook"
