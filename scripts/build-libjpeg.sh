#!/usr/bin/env bash
# Builds libjpeg-turbo (with SIMD) for the target from Debian's source package, once.
# Usage: build-libjpeg.sh <cache dir>; leaves <cache dir>/libjpeg/{include,lib}.
set -euo pipefail
cache=$1
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=$cache/libjpeg
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

mkdir -p "$cache/src"
cd "$cache/src"
if ! ls libjpeg-turbo_*.orig.tar.gz >/dev/null 2>&1; then
  if ! apt-get source --download-only libjpeg-turbo >/dev/null 2>&1; then
    # No deb-src entry yet: add one beside the machine's Debian sources.
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $sudo tee /etc/apt/sources.list.d/pictavo-src.sources >/dev/null
    $sudo apt-get update -qq
    apt-get source --download-only libjpeg-turbo >/dev/null 2>&1
  fi
fi
tarball=$(ls libjpeg-turbo_*.orig.tar.gz | head -1)
rm -rf unpacked && mkdir unpacked
tar -xzf "$tarball" -C unpacked --strip-components=1
cmake -S unpacked -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" -Wno-dev >/dev/null
cmake --build build --target jpeg-static >/dev/null
mkdir -p "$prefix/include" "$prefix/lib"
cp unpacked/jpeglib.h unpacked/jmorecfg.h unpacked/jerror.h build/jconfig.h "$prefix/include/"
cp build/libjpeg.a "$prefix/lib/"
rm -rf unpacked build
