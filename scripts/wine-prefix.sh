#!/usr/bin/env bash
# Creates the project's own Wine prefix once: Japanese font names mapped to IPA fonts,
# Marlett for the caption buttons, and a virtual desktop as the default desktop so that
# every program runs inside one (hotkeys and the notification area need it).
# Usage: wine-prefix.sh <prefix dir>
set -euo pipefail
prefix=$1
[ -f "$prefix/.pictavo-ready" ] && exit 0
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
(
  flock 9
  [ -f "$prefix/.pictavo-ready" ] && exit 0
  xvfb-run -a wineboot -i >/dev/null 2>&1
  cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
  reg=$(mktemp --suffix=.reg)
  # regedit wants UTF-16 for the Japanese value names.
  cat <<'REG' | iconv -f UTF-8 -t UTF-16 > "$reg"
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 xvfb-run -a wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  rm -f "$reg"
  wineserver -w
  touch "$prefix/.pictavo-ready"
) 9>"$prefix.lock"
