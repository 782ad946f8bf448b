#!/usr/bin/env bash
# Builds the benchmarks, runs each several times under Wine and prints the medians with their
# targets. --smoke runs everything once, briefly, only to check that it runs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
smoke=0; [ "${1:-}" = --smoke ] && smoke=1
if [ $smoke = 1 ]; then runs=1; idle_seconds=1; ticks=20; else runs=15; idle_seconds=10; ticks=300; fi
. scripts/xvfb.sh
. scripts/wine-env.sh
# Where 32-bit code cannot run, the figures are those of the 64-bit build (size: the 32-bit file).
tree=bench
if ! wine32_runs; then tree=bench64; export VANDRELL_WINE_ARCH=win64; . scripts/wine-env.sh; fi

# The start-up deployment writes a payload of the imaging tool's size.
payload=$root/build/bench-payload/imagex.exe
mkdir -p "$(dirname "$payload")"
if [ ! -f "$payload" ]; then
  { printf 'MZ'; head -c $((571904 - 2)) /dev/urandom; } > "$payload"
fi
[ -f build/windows/Vandrell.exe ] || { cmake --preset windows >/dev/null && cmake --build --preset windows --target Vandrell; }
cmake --preset $tree >/dev/null 2>&1
cmake --build --preset $tree --target Vandrell ReferenceWindow vandrell_bench >/dev/null

prefix=$root/build/$tree/wine-prefix
scripts/make-prefix.sh "$prefix"
export WINEPREFIX=$prefix
[ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 || start_xvfb
timeout 30 "$WINESERVER" -p || true   # one server for all runs: no server start is measured
trap 'timeout 30 "$WINESERVER" -k || true; kill "${VANDRELL_XVFB_PID:-}" 2>/dev/null || true' EXIT

system32=$prefix/drive_c/windows/system32
bench() { timeout 120 "$WINE" build/$tree/vandrell_bench.exe "$@" 2>/dev/null | tr -d '\r'; }
value() { awk -v key="$1" '$1 == key { print $2 }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) { print "nan"; exit } m = int((NR + 1) / 2); print (NR % 2) ? v[m] : (v[m] + v[m + 1]) / 2 }'; }

samples=$(mktemp -d)
for run in $(seq "$runs"); do
  cp "$payload" "$system32/imagex.exe"
  out=$(bench startup "build\\$tree\\Vandrell.exe" VandrellMainWindow)
  echo "$out" | value startup_ms >> "$samples/startup"
  echo "$out" | value peak_working_set_kb >> "$samples/memory"
  out=$(bench startup "build\\$tree\\ReferenceWindow.exe" VandrellReferenceWindow)
  echo "$out" | value startup_ms >> "$samples/reference"
  echo "$out" | value peak_working_set_kb >> "$samples/reference_memory"
  rm -f "$system32/imagex.exe"
  bench startup "build\\$tree\\Vandrell.exe" VandrellMainWindow | value startup_ms >> "$samples/deploy"
  cmp -s "$payload" "$system32/imagex.exe" || { echo "the start-up did not deploy the payload" >&2; exit 1; }
  out=$(bench deploy 'build\bench-payload\imagex.exe')
  echo "$out" | value deploy_added_ms >> "$samples/deploy_added"
  echo "$out" | value copy_ms >> "$samples/copy"
done
bench idle "build\\$tree\\Vandrell.exe" VandrellMainWindow "$idle_seconds" | value idle_cpu_ms >> "$samples/idle"
bench tick "$ticks" | value tick_cpu_ms >> "$samples/tick"

m() { median < "$samples/$1"; }
startup=$(m startup) reference=$(m reference) deploy=$(m deploy) copy=$(m copy) added=$(m deploy_added)
memory=$(m memory) reference_memory=$(m reference_memory) idle=$(m idle) tick=$(m tick)
size=$(stat -c %s build/windows/Vandrell.exe)
for f in startup reference deploy deploy_added copy memory reference_memory idle tick; do
  [ "$(m $f)" != nan ] || { echo "no samples for $f" >&2; exit 1; }
done

row() { printf '| %-26s | %-34s | %-18s | %-4s |\n' "$1" "$2" "$3" "$4"; }
check() { awk "BEGIN { exit !($1) }" && echo yes || echo NO; }
echo
echo "Medians of $runs run(s) under Wine, $tree tree$([ $smoke = 1 ] && echo ' (smoke mode: figures not meaningful)')"
row figure measured target met
row "start-up" "$(awk "BEGIN { printf \"%.0f ms vs %.0f ms: ratio %.2f\", $startup, $reference, $startup / $reference }")" "ratio <= 1.3" "$(check "$startup / $reference <= 1.3")"
row "start-up with deployment" "$(awk "BEGIN { printf \"+%.2f ms vs CopyFileA %.2f ms\", $added, $copy }")" "<= 1.5 x CopyFileA" "$(check "$added <= 1.5 * $copy")"
row "  (whole process, noisy)" "$(awk "BEGIN { printf \"%.0f ms vs %.0f ms without\", $deploy, $startup }")" "" ""
row "waiting poll tick" "$(awk "BEGIN { printf \"%.3f ms CPU (%.2f %% of 300 ms)\", $tick, $tick / 3 }")" "<= 3 ms (1 %)" "$(check "$tick <= 3")"
row "idle" "$(awk "BEGIN { printf \"%.1f ms CPU over %d s\", $idle, $idle_seconds }")" "<= 10 ms over 10 s" "$(check "$idle <= 10")"
row "memory" "$(awk "BEGIN { printf \"%.0f KB vs %.0f KB: ratio %.2f\", $memory, $reference_memory, $memory / $reference_memory }")" "ratio <= 1.3" "$(check "$memory / $reference_memory <= 1.3")"
row "size" "$(awk "BEGIN { printf \"%.1f KB\", $size / 1024 }")" "<= 300 KB" "$(check "$size <= 300 * 1024")"
rm -rf "$samples"
