#!/usr/bin/env bash
# The release configuration, checked from outside:
#  1. it refuses each tool file that is not the carried tool, naming the field, and accepts
#     files of the right shape (fixtures made here by the host tree's make_tool_fixture);
#  2. two builds from copies of the sources in different folders, some seconds apart, give the
#     same Vandrell.exe and the same package, whose SHA256SUMS match its files.
#   tests/release/release-test.sh IMAGING_STAND_IN BOOT_STAND_IN
# The second part embeds the given stand-ins with ALLOW_OTHER_TOOLS.
set -euo pipefail
cd "$(dirname "$0")/../.."
imaging_stand_in=$(realpath "$1") boot_stand_in=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

cmake --build --preset host --target make_tool_fixture >/dev/null
tools=$work/tools
mkdir -p "$tools"
for tool in imaging boot; do
  for kind in matching x64 gui version name unsigned truncated; do
    build/host/make_tool_fixture "$tool" "$kind" "$tools/$tool-$kind.exe"
  done
done
tree=$work/tree
configure() {  # configure IMAGING BOOT [OPTION...]: configure output in $work/out; fails as cmake does
  cmake --preset release -B "$tree" -DIMAGING_TOOL_FILE="$1" -DBOOT_SECTOR_TOOL_FILE="$2" "${@:3}" >"$work/out" 2>&1
}
expect_output() {  # expect_output WHAT TEXT: the configure output holds TEXT
  tr -s ' \n' ' ' <"$work/out" | grep -qF "$2" || { fail "$1: the configure output lacks: $2"; sed 's/^/    /' "$work/out" >&2; }
}

configure "$tools/imaging-matching.exe" "$tools/boot-matching.exe" -DALLOW_OTHER_TOOLS=OFF ||
  fail "the tools of the right shape are refused"
expect_output "right shape" "BOOT_SECTOR_TOOL_FILE: embedding $tools/boot-matching.exe (110392 bytes)"
configure "" "$tools/boot-matching.exe" && fail "a release without the imaging tool is configured"
expect_output "no imaging tool" "IMAGING_TOOL_FILE is empty: a release carries the imaging tool (imagex.exe)"
while IFS='|' read -r tool kind line; do
  if [ "$tool" = imaging ]; then files=("$tools/imaging-$kind.exe" "$tools/boot-matching.exe")
  else files=("$tools/imaging-matching.exe" "$tools/boot-$kind.exe"); fi
  configure "${files[@]}" -DALLOW_OTHER_TOOLS=OFF && fail "$tool $kind: configured"
  expect_output "$tool $kind" "$line"
  expect_output "$tool $kind" "A release embeds only the tools this program carries."
  configure "${files[@]}" -DALLOW_OTHER_TOOLS=ON || fail "$tool $kind: refused with ALLOW_OTHER_TOOLS"
  expect_output "$tool $kind allowed" "ALLOW_OTHER_TOOLS is ON: tools other than the ones this program carries are embedded"
  expect_output "$tool $kind allowed" "CMake Warning"
  expect_output "$tool $kind allowed" "$line"
done <<'CASES'
imaging|x64|machine: found x64 (0x8664), wanted x86 (0x14c)
boot|gui|subsystem: found Windows GUI (2), wanted console (3)
imaging|version|file version: found 6.2.9200.16384, wanted 6.2.8102.0
boot|version|file version: found 6.2.9200.16384, wanted 6.2.8250.0
imaging|name|original file name: found "wimserv.exe", wanted "IMAGEX.EXE"
boot|unsigned|signature: found none, wanted an Authenticode signature of 8504 bytes at offset 101888
boot|truncated|size: found 55196 bytes, wanted 110392 bytes
CASES
printf 'not a program\n' > "$tools/text.exe"
configure "$tools/text.exe" "$tools/boot-matching.exe" -DALLOW_OTHER_TOOLS=ON && fail "a text file is embedded"
expect_output "text file" "IMAGING_TOOL_FILE: $tools/text.exe is no PE executable (no MZ header)"
echo "release configure: refuses each wrong tool, accepts the right shape ($failures failed)"

outputs=()
for copy in a/src second-copy/vandrell-sources; do
  source=$work/$copy
  mkdir -p "$source"
  git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$source"
  (cd "$source" &&
   cmake --preset release -DIMAGING_TOOL_FILE="$imaging_stand_in" -DBOOT_SECTOR_TOOL_FILE="$boot_stand_in" \
     -DALLOW_OTHER_TOOLS=ON >"$work/out" 2>&1 &&
   cmake --build --preset release --target package >>"$work/out" 2>&1) || { cat "$work/out" >&2; exit 1; }
  outputs+=("$source/build/release")
  sleep 2   # the second build starts in another second: a time stamp would differ
done
first=${outputs[0]} second=${outputs[1]}
for file in Vandrell.exe Vandrell-*.zip; do
  if cmp -s "$first"/$file "$second"/$file; then
    echo "reproducible: $file is the same $(stat -c %s "$first"/$file) bytes in both builds"
  else
    fail "the two builds of $file differ at (offset, byte, byte):"
    cmp -l "$first"/$file "$second"/$file | head -20 >&2
  fi
done
unpacked=$work/unpacked
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$first"/Vandrell-*.zip)
[ "$(cd "$unpacked" && ls)" = "$(printf 'README.txt\nSHA256SUMS\nVandrell.exe')" ] || fail "the package holds $(ls "$unpacked")"
(cd "$unpacked" && sha256sum --quiet -c SHA256SUMS) || fail "the package's SHA256SUMS do not match its files"
cmp -s "$unpacked/Vandrell.exe" "$first/Vandrell.exe" || fail "the package's Vandrell.exe is not the built one"
echo "package: $(basename "$first"/Vandrell-*.zip) holds Vandrell.exe, README.txt and matching SHA256SUMS"
[ "$failures" = 0 ]
