#!/bin/sh
# Builds libjpeg-turbo (static, with SIMD) for x86_64-w64-mingw32 from
# Debian's source package into <prefix>/libjpeg-turbo. The deb-src entry is
# given to apt through a private configuration in a temporary folder, so the
# machine's apt setup and package lists are left as they were.
set -eu

deps="$1"
prefix="$deps/libjpeg-turbo"
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

mkdir -p "$work/parts" "$work/lists/partial" "$work/src"
# deb-src twins of the machine's own Debian sources (deb822 or one-line form).
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    grep -q "debian" "$f" || continue
    sed 's/^Types: deb$/Types: deb-src/' "$f" > "$work/parts/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > "$work/parts/oneline.list" || true
fi

apt_private="-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=$work/parts
  -o Dir::State::Lists=$work/lists -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
  -o Debug::NoLocking=1"
echo "setup: fetching libjpeg-turbo sources"
# shellcheck disable=SC2086
apt-get -q $apt_private update > "$work/update.log" 2>&1 || { cat "$work/update.log"; exit 1; }
# shellcheck disable=SC2086
(cd "$work/src" && apt-get -q $apt_private source libjpeg-turbo > "$work/source.log" 2>&1) \
    || { cat "$work/source.log"; exit 1; }

srcdir=$(find "$work/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$srcdir" ] || { echo "setup: libjpeg-turbo sources not found" >&2; exit 1; }

echo "setup: building libjpeg-turbo for the target"
cmake -S "$srcdir" -B "$work/build" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DREQUIRE_SIMD=ON -DWITH_JPEG8=OFF > "$work/cmake.log" 2>&1 || { cat "$work/cmake.log"; exit 1; }
cmake --build "$work/build" -j"$(nproc)" > "$work/make.log" 2>&1 || { tail -50 "$work/make.log"; exit 1; }
cmake --install "$work/build" > /dev/null
echo "setup: libjpeg-turbo installed in $prefix"
