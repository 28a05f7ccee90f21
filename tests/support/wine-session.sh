#!/bin/bash
# Starts or stops the Wine session that the Windows tests of one build tree
# share: an Xvfb display and a private Wine prefix with a persistent
# wineserver, all kept in the session folder.
#
#   wine-session.sh start|stop <session folder>
set -euo pipefail

action=$1
session=$2
export WINEPREFIX=$session/prefix
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs: nothing here needs them.
export WINEDLLOVERRIDES="mscoree=;mshtml="
wine=/usr/lib/wine/wine64

stop() {
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
  fi
  if [ -f "$session/xvfb.pid" ]; then
    kill "$(cat "$session/xvfb.pid")" 2>/dev/null || true
    rm -f "$session/xvfb.pid" "$session/display"
  fi
}

case "$action" in
  start)
    mkdir -p "$session"
    stop
    # Xvfb picks a free display and writes its number to the pipe.
    exec 3> >(cat > "$session/display.tmp")
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp > "$session/xvfb.log" 2>&1 &
    echo $! > "$session/xvfb.pid"
    exec 3>&-
    for _ in $(seq 100); do
      [ -s "$session/display.tmp" ] && break
      sleep 0.1
    done
    if [ ! -s "$session/display.tmp" ]; then
      echo "Xvfb did not start:" >&2
      cat "$session/xvfb.log" >&2
      exit 1
    fi
    tr -d '\n' < "$session/display.tmp" > "$session/display"
    rm -f "$session/display.tmp"
    export DISPLAY=:$(cat "$session/display")
    # The first start of a prefix creates it (about ten seconds); the
    # persistent server then serves every test of the run.
    mkdir -p "$WINEPREFIX"
    wineserver -p > "$session/wineserver.log" 2>&1
    "$wine" wineboot --init > "$session/wineboot.log" 2>&1
    # Xvfb has no window manager: unmanaged windows spare the two seconds
    # Wine otherwise waits for one whenever a top-level window goes away.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >> "$session/wineboot.log" 2>&1
    echo "Wine session on display $DISPLAY, prefix $WINEPREFIX"
    ;;
  stop)
    stop
    ;;
  *)
    echo "usage: $0 start|stop <session folder>" >&2
    exit 2
    ;;
esac
