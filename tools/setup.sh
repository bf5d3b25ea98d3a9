#!/bin/sh
# Prepares a Debian 12 machine for building and testing: installs the
# packages the build needs (when missing) and builds libjpeg-turbo for the
# target from Debian's own source package. Safe to run again: each step is
# skipped when its result is already there.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"

packages="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb
  libz-mingw-w64-dev nasm cmake make g++ fonts-liberation fonts-wine libgl1-mesa-dri xauth
  imagemagick x11-utils googletest dpkg-dev libjpeg62-turbo-dev zlib1g-dev
  python3-numpy python3-pil fonts-dejavu-core libasound2"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "setup: installing$missing"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

"$root/tools/build-libjpeg.sh" "$deps"
