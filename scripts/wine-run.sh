#!/bin/bash
# Runs a Windows program under 64-bit Wine in the prefix named by WINEPREFIX
# (the build tree's private prefix for tests). --setup creates the prefix once
# and starts a persistent wineserver; --cleanup stops it.
set -eu
: "${WINEPREFIX:?WINEPREFIX must name the private prefix}"
export WINEPREFIX WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: the suite needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver

case "${1:-}" in
  --setup)
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
      flock 9
      if [ ! -f "$WINEPREFIX/.pixmere-ready" ]; then
        # The server comes first: one that wineboot starts itself ends with
        # the last program, and then every program starts Wine's services
        # anew (many seconds each under a loaded display). Neither may keep
        # the lock's descriptor: the server and Wine's services outlive this
        # call, and the next --setup would wait for them to end.
        mkdir -p "$WINEPREFIX"
        "$WINESERVER" -p 60 9>&- 2>/dev/null || true
        "$WINE" wineboot -i 9>&- >/dev/null 2>&1 || true
        touch "$WINEPREFIX/.pixmere-ready"
      fi
    ) 9>"$WINEPREFIX.lock"
    # Keeps one wineserver between the test programs (already running: fine).
    "$WINESERVER" -p 60 2>/dev/null || true
    exit 0 ;;
  --cleanup)
    "$WINESERVER" -k 2>/dev/null || true
    exit 0 ;;
esac
exec "$WINE" "$@"
