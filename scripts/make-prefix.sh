#!/usr/bin/env bash
# Makes a fresh Wine prefix (32- or 64-bit, see wine-env.sh) for Vandrell: zh_CN locale (code page 936), font
# substitutes so that 宋体/SimSun, MS Shell Dlg and Tahoma show Chinese text, and
# optional drive letters mapped to folders with their drive type.
#
#   make-prefix.sh PREFIX [LETTER=TYPE:FOLDER ...]     e.g. e=hd:/tmp/drive-e  f=cdrom:/tmp/cd
# TYPE is one of hd, network, cdrom, floppy, ramdisk; an empty FOLDER leaves the letter without
# a medium. Re-running on an existing prefix only
# (re)maps the drives given.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }
prefix=$1; shift
export WINEPREFIX=$prefix

if [ ! -f "$prefix/.vandrell-ready" ]; then
  [ ! -f "$prefix/system.reg" ] || rm -rf "$prefix"   # an unfinished prefix starts again
  mkdir -p "$prefix"
  timeout 300 "$WINE" wineboot -i >/dev/null 2>&1
  font="WenQuanYi Zen Hei"
  for name in "宋体" "SimSun" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "新宋体" "NSimSun"; do
    timeout 60 "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "$name" /d "$font" /f >/dev/null 2>&1
  done
  version=${VANDRELL_WINE_VERSION:-}
  # A 64-bit prefix has only the 64-bit Windows XP (where 32-bit programs run under WOW64).
  [ "$WINEARCH:$version" != win64:winxp ] || version=winxp64
  if [ -n "$version" ] && ! timeout 60 "$WINE" winecfg -v "$version" >/dev/null 2>&1; then
    echo "make-prefix: a $WINEARCH prefix cannot report Windows version '$version'" >&2
    exit 1
  fi
  timeout 60 "$WINESERVER" -w
  touch "$prefix/.vandrell-ready"   # complete only now: fonts and version are in
fi

# The drive letters: one link and one registry value each, written only when they change (the
# registry through one regedit run). The drive types are read when Wine's services start, so
# the server is then let to end before the next program starts it again.
[ $# -gt 0 ] || exit 0
[ "$(cat "$prefix/.vandrell-drives" 2>/dev/null)" != "$*" ] || exit 0
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\r\n' > "$reg"
for spec in "$@"; do
  letter=${spec%%=*}; rest=${spec#*=}
  type=${rest%%:*}; folder=${rest#*:}
  if [ -n "$folder" ]; then
    mkdir -p "$folder"
  else
    folder=/nonexistent/vandrell-no-medium   # the letter exists, its medium does not
  fi
  ln -sfn "$folder" "$prefix/dosdevices/${letter}:"
  printf '"%s:"="%s"\r\n' "$letter" "$type" >> "$reg"
done
timeout 60 "$WINE" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1
timeout 60 "$WINESERVER" -w
printf '%s' "$*" > "$prefix/.vandrell-drives"
