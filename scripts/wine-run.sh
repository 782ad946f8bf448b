#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix; used as the crosscompiling
# emulator, so ctest in the Windows tree runs every Win32 test this way.
#   VANDRELL_WINE_PREFIX  prefix to use (made on first use); default: ./wine-prefix
#   VANDRELL_TEST_DRIVES  "e=hd:/folder q=cdrom: ..."; each folder (inside the build tree,
#                         the working directory) is emptied and mapped to its letter before
#                         the run (a letter with no folder has no medium)
#   VANDRELL_TEST_SETUP   shell command run after the drives are prepared
#   VANDRELL_TEST_TEARDOWN shell command run after the program has ended
#   VANDRELL_WINE_TIMEOUT seconds before the run is ended (default 300)
# A test program's own settings (the variables above and VANDRELL_WINE_ARCH / _VERSION) come
# from wine-tests/NAME.sh beside it, written by the build. VANDRELL_WINE_ARCH or
# VANDRELL_WINE_VERSION set in the environment win over the tree's; the run then uses a prefix
# of its own kind beside the tree's (PREFIX-ARCH-VERSION).
# The test set-up reads VANDRELL_PROGRAM_SYSTEM_DIR: the Linux folder that is the program's
# system directory.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
arch_asked=${VANDRELL_WINE_ARCH:-} version_asked=${VANDRELL_WINE_VERSION:-}
settings="$(dirname "$1")/wine-tests/$(basename "$1" .exe).sh"
# shellcheck source=/dev/null
[ ! -f "$settings" ] || . "$settings"
VANDRELL_WINE_PREFIX=${VANDRELL_WINE_PREFIX:-$PWD/wine-prefix}
if [ -n "$arch_asked$version_asked" ]; then
  export VANDRELL_WINE_ARCH=${arch_asked:-${VANDRELL_WINE_ARCH:-win32}}
  export VANDRELL_WINE_VERSION=${version_asked:-${VANDRELL_WINE_VERSION:-}}
  VANDRELL_WINE_PREFIX=$VANDRELL_WINE_PREFIX-$VANDRELL_WINE_ARCH-${VANDRELL_WINE_VERSION:-default}
fi
. "$here/wine-env.sh"
export WINEPREFIX=$VANDRELL_WINE_PREFIX
VANDRELL_PROGRAM_SYSTEM_DIR=$(program_system_dir "$WINEPREFIX" "$1")
export VANDRELL_PROGRAM_SYSTEM_DIR
# Windows need a display: without a usable one, or when the test asks for a screen size
# (VANDRELL_SCREEN, e.g. 800x600), run under a private virtual display.
if [ -n "${VANDRELL_SCREEN:-}" ] || [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  . "$here/xvfb.sh"
  start_xvfb
fi

drives=()
for spec in ${VANDRELL_TEST_DRIVES:-}; do
  folder=${spec#*=}; folder=${folder#*:}
  if [ -n "$folder" ]; then
    case "$(realpath -m "$folder")/" in
      "$(realpath "$PWD")"/?*) rm -rf "$folder"; mkdir -p "$folder" ;;
      *) echo "wine-run: $folder is not inside the build tree $PWD; not emptying it" >&2; exit 2 ;;
    esac
  fi
  drives+=("$spec")
done
# One prefix is shared by the test runs of a tree: serialise its creation and drive mapping.
exec 9>"$WINEPREFIX.lock"
flock 9
"$here/make-prefix.sh" "$WINEPREFIX" "${drives[@]}"
flock -u 9
# Test set-up that has to happen on the Linux side (links to devices, for example).
[ -z "${VANDRELL_TEST_SETUP:-}" ] || bash -c "$VANDRELL_TEST_SETUP"

status=0
timeout --kill-after=10 "${VANDRELL_WINE_TIMEOUT:-300}" "$WINE" "$@" || status=$?
[ -z "${VANDRELL_TEST_TEARDOWN:-}" ] || bash -c "$VANDRELL_TEST_TEARDOWN" || true
exit $status
