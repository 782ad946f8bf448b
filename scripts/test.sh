#!/usr/bin/env bash
# Sets up everything on a fresh Debian machine, builds the three trees and runs every test:
# the host unit tests, then the Win32 tests and the end-to-end tests under Wine in a private
# virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/xvfb.sh

stage() {  # stage NAME COMMAND...: runs a stage and prints how long it took
  local name=$1 start=$SECONDS; shift
  echo "=== $name"
  "$@"
  echo "=== $name: $((SECONDS - start)) s"
}

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

stage "set-up" as_root bash scripts/setup.sh
stage "host build" bash -c 'cmake --preset host >/dev/null && cmake --build --preset host'
stage "host tests" ctest --preset host
stage "windows build" bash -c 'cmake --preset windows >/dev/null && cmake --build --preset windows'
stage "stand-ins build" bash -c 'cmake --preset standins >/dev/null && cmake --build --preset standins'
start_xvfb
stage "win32 tests under Wine" ctest --preset windows
stage "end-to-end tests under Wine" ctest --preset standins
stage "benchmarks (smoke: they run)" bash bench/run.sh --smoke
