#!/bin/sh
# Installs the Debian packages Tallybook needs to build, test and run.
# Idempotent and non-interactive; works as root or through sudo.
set -eu

PACKAGES="build-essential cmake ninja-build pkg-config git
qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
libgtest-dev libgmock-dev googletest libbenchmark-dev
fonts-noto-cjk locales
desktop-file-utils appstream dpkg-dev file"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -q --no-install-recommends $missing
fi
