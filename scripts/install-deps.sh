#!/usr/bin/env bash
# Installs what building, running and testing Pictavo needs on a Debian 12 machine.
# Does nothing (and needs no network) when everything is already there.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix cmake ninja-build make
  wine wine32:i386
  xvfb xauth xdotool x11-utils
  fonts-ipafont-gothic fonts-wine
  nasm googletest locales clang-format
  imagemagick ffmpeg
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi

# libjpeg-turbo is built from Debian's source package, which needs a deb-src entry.
src=/etc/apt/sources.list.d/pictavo-src.sources
if [ ! -f "$src" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $sudo tee "$src" >/dev/null
fi

echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
