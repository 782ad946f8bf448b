#!/usr/bin/env bash
# Sets up everything, builds Vandrell with the stand-in tools, prepares a Wine prefix with a
# demo image on D: and an empty demo drive E:, and starts Vandrell under Wine. With a usable
# DISPLAY it opens there for you to click through; without one it runs under Xvfb, saves a
# screenshot and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. scripts/xvfb.sh
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

as_root bash scripts/setup.sh
. scripts/wine-env.sh
# The 32-bit program; where this machine cannot run 32-bit code, the 64-bit build of it.
windows=windows standins=standins
if ! wine32_runs; then
  windows=windows64 standins=standins64
  export VANDRELL_WINE_ARCH=win64
  . scripts/wine-env.sh
fi
cmake --preset $windows >/dev/null && cmake --build --preset $windows --target fixture_imagex fixture_bootsect
cmake --preset $standins >/dev/null 2>&1 && cmake --build --preset $standins --target Vandrell

demo=$root/build/demo
prefix=$demo/wine-prefix-$WINEARCH
rm -rf "$demo/drives"
mkdir -p "$demo/drives/e"
tests/e2e/prepare-drives.sh "$demo/drives" >/dev/null
scripts/make-prefix.sh "$prefix" "d=hd:$demo/drives/d" "e=hd:$demo/drives/e"
rm -f "$(program_system_dir "$prefix" "build/$standins/Vandrell.exe")/imagex.exe"   # so the start-up deployment shows

export WINEPREFIX=$prefix
cat <<TXT
Vandrell demo
  image:  D:\\images\\install.wim  (also D:\\My 镜像\\安装 映像\\install.wim; a damaged one in D:\\damaged)
  target: E:  (an empty folder: $demo/drives/e)
  Click 选择文件, pick the image, choose E: in the list, click 开始执行 and answer 是.
TXT

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  timeout 4h "$WINE" "build/$standins/Vandrell.exe" || true
  timeout 30 "$WINESERVER" -k || true
  exit 0
fi

start_xvfb
"$WINE" "build/$standins/Vandrell.exe" &
program=$!
# The window as X shows it: found by its caption, cropped from its real rectangle.
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Vandrell$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
sleep 1   # its first paint
shot=$demo/screenshot.png
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$shot"
kill "$program" 2>/dev/null || true
timeout 30 "$WINESERVER" -k || true
echo "No display: ran under Xvfb; screenshot saved to $shot"
