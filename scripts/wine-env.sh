# Sourced by the scripts that run Wine: one environment for every Wine call of the project.
#   VANDRELL_WINE_ARCH     win32 (default): a 32-bit prefix; win64: a 64-bit prefix
#   VANDRELL_WINE_VERSION  Windows version the prefix reports (winxp, win7, win10, ...);
#                          empty: Wine's default
# $WINE and $WINESERVER are the loader and server for that architecture.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=${VANDRELL_WINE_ARCH:-win32}
if [ "$WINEARCH" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  WINE=/usr/lib/wine/wine64
  WINESERVER=/usr/lib/wine/wineserver64
else
  WINE=wine
  WINESERVER=wineserver
fi
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
# No Mono/Gecko prompts and no desktop menu entries from the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The Linux folder that is PROGRAM's system directory in PREFIX: a 32-bit program in a 64-bit
# prefix runs under WOW64, where its system32 is the prefix's syswow64.
program_system_dir() {  # program_system_dir PREFIX PROGRAM.exe
  local header machine
  header=$(od -An -tu4 -j60 -N4 "$2" | tr -d ' ')
  machine=$(od -An -tx2 -j$((header + 4)) -N2 "$2" | tr -d ' ')
  if [ "$WINEARCH" = win64 ] && [ "$machine" = 014c ]; then
    echo "$1/drive_c/windows/syswow64"
  else
    echo "$1/drive_c/windows/system32"
  fi
}

# True when this machine can execute 32-bit x86 code (some kernels are booted without it).
wine32_runs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
