#!/usr/bin/env bash
# Fails when code of workflow/ or util/ includes a Windows header: those layers reach the
# platform only through its interfaces, which is what lets them build and be tested natively.
set -euo pipefail
cd "$(dirname "$0")/.."
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*<(windows|win[a-z0-9]*|tlhelp32|shlwapi|shellapi|shlobj|commdlg|commctrl|ole2|objbase|psapi|mmsystem|winsock2?|ws2tcpip|rpc[a-z]*)\.h>'
if found=$(grep -rniE "$pattern" workflow util); then
  echo "Windows headers included above the platform layer:" >&2
  echo "$found" >&2
  exit 1
fi
echo "layers: workflow/ and util/ include no Windows header"
