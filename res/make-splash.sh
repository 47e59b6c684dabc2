#!/usr/bin/env bash
# Draws the start-up picture (400 x 250, 24-bit BMP) with ImageMagick. Run it again after
# changing the drawing; the result is committed beside this script.
set -euo pipefail
cd "$(dirname "$0")"
font=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
convert -size 400x250 gradient:'#1d3557-#0b1320' \
  -fill '#223f63' -draw "circle 370,20 470,20" \
  -fill '#e9eef5' -stroke '#e9eef5' -strokewidth 3 \
  -draw "roundrectangle 40,70 150,150 12,12" \
  -fill '#1d3557' -draw "circle 95,110 95,132" \
  -fill '#e9eef5' -draw "circle 95,110 95,122" \
  -fill '#e9eef5' -draw "rectangle 62,60 92,70" \
  -stroke none -fill '#f1c453' -draw "circle 136,84 136,90" \
  -font "$font" -fill '#ffffff' -pointsize 54 -annotate +172+128 'Pictavo' \
  -fill '#a8c0dc' -pointsize 14 -annotate +178+158 '画面キャプチャ・タイムラプス動画' \
  -fill '#6f87a6' -pointsize 12 -annotate +176+222 'Version 3.0.0' \
  -type TrueColor BMP3:splash.bmp
