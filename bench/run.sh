#!/usr/bin/env bash
# Builds the benchmarks, runs each several times under Wine and prints the medians with their
# targets. --smoke runs everything once, briefly, only to check that it runs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
smoke=0; [ "${1:-}" = --smoke ] && smoke=1
if [ $smoke = 1 ]; then runs=1; idle_seconds=1; ticks=20; extras="0 2 5"
else runs=15; idle_seconds=10; ticks=300; extras="0 50 200"; fi
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
cmake --build --preset $tree --target Vandrell ReferenceWindow FloorWindow vandrell_bench >/dev/null

prefix=$root/build/$tree/wine-prefix
drive_e=$root/build/$tree/drives/e   # the empty target of the own-run ticks
rm -rf "$drive_e" && mkdir -p "$drive_e"
scripts/make-prefix.sh "$prefix" "e=hd:$drive_e"
export WINEPREFIX=$prefix
[ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 || start_xvfb
timeout 30 "$WINESERVER" -p || true   # one server for all runs: no server start is measured
trap 'timeout 30 "$WINESERVER" -k || true; kill "${VANDRELL_XVFB_PID:-}" 2>/dev/null || true' EXIT

system32=$(program_system_dir "$prefix" "build/$tree/Vandrell.exe")
bench() {  # bench MODE ARGS...: one measurement; says which one failed
  local out
  out=$(timeout 120 "$WINE" "build/$tree/vandrell_bench.exe" "$@" 2>/dev/null) || { echo "bench $* failed" >&2; return 1; }
  printf '%s\n' "$out" | tr -d '\r'
}
value() { awk -v key="$1" '$1 == key { print $2 }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) { print "nan"; exit } m = int((NR + 1) / 2); print (NR % 2) ? v[m] : (v[m] + v[m + 1]) / 2 }'; }

samples=$(mktemp -d)
for run in $(seq "$runs"); do
  cp "$payload" "$system32/imagex.exe"
  out=$(bench startup "build\\$tree\\Vandrell.exe" VandrellMainWindow)
  echo "$out" | value startup_ms >> "$samples/startup"
  echo "$out" | value peak_working_set_kb >> "$samples/memory"
  out=$(bench startup "build\\$tree\\FloorWindow.exe" VandrellFloorWindow)
  echo "$out" | value startup_ms >> "$samples/floor"
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
for extra in $extras; do
  bench tick "$ticks" "$extra" | value tick_cpu_ms >> "$samples/tick_$extra"
  bench owntick "$ticks" "$extra" | value own_tick_cpu_ms >> "$samples/own_tick_$extra"
done

m() { median < "$samples/$1"; }
startup=$(m startup) floor=$(m floor) reference=$(m reference) deploy=$(m deploy) copy=$(m copy)
added=$(m deploy_added) memory=$(m memory) reference_memory=$(m reference_memory) idle=$(m idle)
set -- $extras; few=$1 some=$2 many=$3
size=$(stat -c %s build/windows/Vandrell.exe)
for f in startup floor reference deploy deploy_added copy memory reference_memory idle \
         tick_$few tick_$some tick_$many own_tick_$few own_tick_$some own_tick_$many; do
  [ "$(m $f)" != nan ] || { echo "no samples for $f" >&2; exit 1; }
done

row() { printf '| %-34s | %-44s | %-18s | %-4s |\n' "$1" "$2" "$3" "$4"; }
check() { awk "BEGIN { exit !($1) }" && echo yes || echo NO; }
echo
echo "Medians of $runs run(s) under Wine, $tree tree$([ $smoke = 1 ] && echo ' (smoke mode: figures not meaningful)')"
row figure measured target met
row "start-up" "$(awk "BEGIN { printf \"%.0f ms vs floor %.0f ms: ratio %.2f\", $startup, $floor, $startup / $floor }")" "ratio <= 1.15" "$(check "$startup / $floor <= 1.15")"
row "  (bare window, for context)" "$(awk "BEGIN { printf \"%.0f ms: ratio %.2f\", $reference, $startup / $reference }")" "" ""
row "start-up with deployment" "$(awk "BEGIN { printf \"+%.2f ms vs CopyFileA %.2f ms\", $added, $copy }")" "<= 1.5 x CopyFileA" "$(check "$added <= 1.5 * $copy")"
row "  (whole process, noisy)" "$(awk "BEGIN { printf \"%.0f ms vs %.0f ms without\", $deploy, $startup }")" "" ""
own() { m own_tick_$1; }
snap() { m tick_$1; }
row "waiting tick, own run alive" "$(awk "BEGIN { printf \"%.4f / %.4f / %.4f ms CPU\", $(own $few), $(own $some), $(own $many) }")" "<= 0.1 ms each" "$(check "$(own $few) <= 0.1 && $(own $some) <= 0.1 && $(own $many) <= 0.1")"
row "  with $few / $some / $many more processes" "" "" ""
row "snapshot tick (own run ended)" "$(awk "BEGIN { printf \"%.3f / %.3f / %.3f ms CPU\", $(snap $few), $(snap $some), $(snap $many) }")" "for context" ""
row "  per extra process" "$(awk "BEGIN { printf \"%.4f ms\", ($(snap $many) - $(snap $few)) / ($many - $few) }")" "" ""
row "idle" "$(awk "BEGIN { printf \"%.1f ms CPU over %d s\", $idle, $idle_seconds }")" "<= 10 ms over 10 s" "$(check "$idle <= 10")"
row "memory" "$(awk "BEGIN { printf \"%.0f KB vs %.0f KB: ratio %.2f\", $memory, $reference_memory, $memory / $reference_memory }")" "ratio <= 1.3" "$(check "$memory / $reference_memory <= 1.3")"
row "size" "$(awk "BEGIN { printf \"%.1f KB\", $size / 1024 }")" "<= 300 KB" "$(check "$size <= 300 * 1024")"
rm -rf "$samples"
