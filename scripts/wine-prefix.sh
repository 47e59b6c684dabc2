#!/usr/bin/env bash
# Creates the project's own Wine prefix once: Japanese font names mapped to IPA fonts,
# Marlett for the caption buttons, and a virtual desktop as the default desktop so that
# every program runs inside one (hotkeys and the notification area need it). The prefix's
# Desktop and documents are a folder of its own, <prefix>/home, so the shell's folders show
# only what its programs make there.
#
#   wine-prefix.sh <prefix>              make the prefix unless it is ready
#   wine-prefix.sh <prefix> <template>   make the template unless it is ready, then lay the
#                                        prefix anew as a copy of it (a fraction of a second,
#                                        where making one takes wineboot's ten and more)
#
# A prefix is remade when Wine or this script changed since it was made. Only prefixes that
# this script made are ever removed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

stamp() { printf '%s %s\n' "$(wine --version)" "$(sha1sum <"$here/wine-prefix.sh" | cut -d' ' -f1)"; }

# Removes a tree whatever a test stopped halfway left in it: a small file system mounted, a
# file made immutable.
remove_tree() {
  rm -rf "$1" 2>/dev/null && return 0
  { grep -F " $1/" /proc/mounts || true; } | cut -d' ' -f2 | sort -r | xargs -r -n1 umount -l 2>/dev/null || true
  chattr -R -i "$1" 2>/dev/null || true
  rm -rf "$1"
}

# Removes a prefix this script made (it carries the mark); refuses anything else. It is moved
# aside first, so a removal that fails halfway leaves no unmarked prefix behind.
remove_prefix() {
  local prefix=$1
  rm_leftovers "$prefix"
  [ -e "$prefix" ] || return 0
  if [ ! -f "$prefix/.pictavo-ready" ] && [ ! -f "$prefix/.pictavo-partial" ]; then
    echo "wine-prefix: $prefix exists but was not made here; leaving it alone" >&2
    return 1
  fi
  local doomed
  doomed=$(mktemp -u "$prefix.old.XXXXXX")
  mv -T "$prefix" "$doomed"
  remove_tree "$doomed"
}

# Copies and removals that a stopped run left (named by this script, so its own).
rm_leftovers() {
  local left
  for left in "$1".new.* "$1".old.*; do
    [ -e "$left" ] && remove_tree "$left"
  done
  return 0
}

make_prefix() {
  local prefix=$1
  [ -f "$prefix/.pictavo-ready" ] && [ "$(cat "$prefix/.pictavo-ready")" = "$(stamp)" ] && return 0
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    [ -f "$prefix/.pictavo-ready" ] && [ "$(cat "$prefix/.pictavo-ready")" = "$(stamp)" ] && exit 0
    remove_prefix "$prefix"
    mkdir -p "$prefix/home"
    touch "$prefix/.pictavo-partial"
    export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME=$prefix/home
    xvfb-run -a wineboot -i >/dev/null 2>&1
    cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
    reg=$(mktemp --suffix=.reg)
    # regedit wants UTF-16 for the Japanese value names.
    cat <<'REG' | iconv -f UTF-8 -t UTF-16 >"$reg"
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
    stamp >"$prefix/.pictavo-ready"
    rm -f "$prefix/.pictavo-partial"
  ) 9>"$prefix.lock"
}

# Lays <prefix> anew from <template>. Wine only reads its libraries, programs and tables:
# those are hard links to the template's. Everything else (the registry, .ini files, the
# user's folders) is copied, since Wine rewrites such files in place.
copy_prefix() {
  local template=$1 prefix=$2
  make_prefix "$template"
  remove_prefix "$prefix"
  local staging
  staging=$(mktemp -d "$prefix.new.XXXXXX")
  cp -a --link "$template/." "$staging/"
  find "$staging" -type f -links +1 ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.sys' -o -iname '*.drv' \
    -o -iname '*.nls' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.ax' -o -iname '*.ds' \
    -o -iname '*.tlb' -o -iname '*.vxd' -o -iname '*.com' -o -iname '*.msstyles' -o -iname '*.ttf' \) \
    -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv -f "$f.own" "$f"; done' sh {} +
  # The user's folders lead to the copy's own home, not the template's.
  find "$staging/drive_c/users" -type l -lname "$template/home" -exec ln -sfn "$prefix/home" {} \;
  mv -T "$staging" "$prefix"
}

if [ $# -ge 2 ]; then
  copy_prefix "$(realpath -m "$2")" "$(realpath -m "$1")"
else
  make_prefix "$(realpath -m "$1")"
fi
