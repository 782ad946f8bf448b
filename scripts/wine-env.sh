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

# True when this machine can execute 32-bit x86 code (some kernels are booted without it).
wine32_runs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
