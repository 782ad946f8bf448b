#!/usr/bin/env bash
# Sets up everything on a fresh Debian machine, builds the trees and runs every test: the host
# unit tests, the release checks, then the Win32 tests and the end-to-end tests under Wine in a
# private virtual display (again in prefixes of other kinds), then the benchmarks once as a
# smoke check.
#
# The shipped program is the 32-bit build. On a machine whose kernel cannot execute 32-bit
# code (no 32-bit Wine can start there), the Wine suites run on the 64-bit build of the same
# sources in a 64-bit prefix instead, and the PE checks still read the 32-bit program.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/xvfb.sh
. scripts/wine-env.sh

stage() {  # stage NAME COMMAND...: runs a stage and prints how long it took
  local name=$1 start=$SECONDS; shift
  echo "=== $name"
  "$@"
  echo "=== $name: $((SECONDS - start)) s"
}

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
configure_and_build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1"; }

stage "set-up" as_root bash scripts/setup.sh
stage "layers" bash scripts/check-layers.sh
stage "host build" configure_and_build host
stage "host tests" ctest --preset host
stage "windows build (the shipped 32-bit program)" configure_and_build windows
stage "release: tool refusals, reproducible program, package" \
  bash tests/release/release-test.sh build/windows/fixtures/imagex.exe build/windows/fixtures/bootsect.exe
if wine32_runs; then
  suffix=""
else
  suffix="64"
  echo "=== this machine cannot execute 32-bit code: the Wine suites run on the 64-bit build"
  stage "windows64 build" configure_and_build windows64
fi
stage "stand-ins build" configure_and_build "standins$suffix"
start_xvfb
stage "win32 tests under Wine" ctest --preset "windows$suffix"
stage "end-to-end tests under Wine" ctest --preset "standins$suffix"
# The end-to-end suite and the main-window tests again in prefixes of other kinds: 64-bit
# Windows (the 32-bit program under WOW64, where its system directory is SysWOW64) and prefixes
# reporting Windows XP and Windows 7.
in_prefix() {  # in_prefix ARCH VERSION
  export VANDRELL_WINE_ARCH=$1 VANDRELL_WINE_VERSION=$2
  ctest --preset "standins$suffix" && ctest --preset "windows$suffix" -R '^MainWindowTest[.]'
}
if wine32_runs; then
  arch=win32
  stage "64-bit prefix (WOW64): end-to-end and main-window tests" in_prefix win64 ""
else
  arch=win64
  echo "=== 64-bit prefix running the 32-bit program: needs 32-bit execution, not run here"
fi
stage "prefix reporting Windows XP: end-to-end and main-window tests" in_prefix $arch winxp
stage "prefix reporting Windows 7: end-to-end and main-window tests" in_prefix $arch win7
unset VANDRELL_WINE_ARCH VANDRELL_WINE_VERSION
stage "benchmarks (smoke: they run)" bash bench/run.sh --smoke
