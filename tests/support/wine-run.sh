#!/bin/bash
# Runs a Windows program under the Wine session of its build tree
# (wine-session.sh) and returns the program's exit code.
#
#   wine-run.sh <session folder> <program.exe> [arguments...]
set -euo pipefail

session=$1
shift
if [ ! -s "$session/display" ]; then
  echo "no Wine session in $session (start it with wine-session.sh)" >&2
  exit 1
fi
export WINEPREFIX=$session/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
DISPLAY=:$(cat "$session/display")
export DISPLAY
exec /usr/lib/wine/wine64 "$@"
