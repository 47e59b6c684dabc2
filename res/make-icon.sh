#!/usr/bin/env bash
# Draws Pictavo's application icon (a camera over a screen frame) and writes pictavo.ico
# with 16, 32 and 48 pixel images. Run it again after changing the drawing; commit both.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One large drawing, scaled down for every size.
convert -size 256x256 xc:none \
  -fill '#1f4e8c' -stroke '#0d2a52' -strokewidth 8 -draw 'roundrectangle 20,40 236,220 24,24' \
  -fill '#dfe8f5' -stroke none -draw 'rectangle 40,60 216,200' \
  -fill '#2b2b2b' -stroke '#101010' -strokewidth 6 -draw 'roundrectangle 58,98 198,190 18,18' \
  -fill '#2b2b2b' -stroke '#101010' -strokewidth 6 -draw 'roundrectangle 92,78 142,104 8,8' \
  -fill '#6fa8dc' -stroke '#d0d0d0' -strokewidth 10 -draw 'circle 128,144 128,110' \
  -fill '#0b2545' -stroke none -draw 'circle 128,144 128,124' \
  -fill '#ffffff' -draw 'circle 120,136 120,130' \
  -fill '#f2c14e' -draw 'rectangle 170,108 188,120' \
  "$work/big.png"

for size in 16 32 48; do
  convert "$work/big.png" -resize ${size}x${size} -depth 8 "$work/icon-$size.png"
done
convert "$work/icon-16.png" "$work/icon-32.png" "$work/icon-48.png" "$here/pictavo.ico"
identify "$here/pictavo.ico"
