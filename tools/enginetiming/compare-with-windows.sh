#!/bin/bash
# Runs the engine timing tool of the Linux build and the one of the Windows
# build (under Wine, where the engine runs natively) in turn, and prints their
# figures side by side with the ratio Windows / Linux.
#
#   compare-with-windows.sh [linux build folder] [windows build folder] [seconds per setting]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
linux=${1:-$root/build/linux}/tools/enginetiming/quillwave-engine-timing
windows=${2:-$root/build/windows}/tools/enginetiming/quillwave-engine-timing.exe
seconds=${3:-2}
# A private Wine prefix, stopped and removed at the end.
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
WINEPREFIX=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
run_windows() {
  /usr/lib/wine/wine64 "$windows" "$1" | tr -d '\r'
}
# The first start of a new prefix takes a while; it is not timed.
run_windows 0.01 >/dev/null 2>&1
linux_figures=$("$linux" "$seconds")
windows_figures=$(run_windows "$seconds")
echo "$linux_figures" | head -1
printf '%-12s %8s %8s %8s\n' setting linux windows ratio
join <(echo "$linux_figures" | tail -n +2 | sort) <(echo "$windows_figures" | tail -n +2 | sort) |
  awk '{ printf "%-12s %8.2f %8.2f %8.2f\n", $1, $2, $3, $3 / $2 }'
