#!/bin/bash
# Runs the x86-64 tests under Wine inside a virtual X display:
#   scripts/ctest.sh [ctest arguments, e.g. -R rastel_image]
# WineSessionKeeper holds the tests' Wine session open for the whole run:
# when a test program has to start Wine's services and desktop process
# itself, they inherit its output pipe, and ctest waits some 20 seconds
# after the program for them to go.
set -euo pipefail
REPO=$(cd "$(dirname "$0")/.." && pwd)
cd "$REPO/build/x86_64"
if [ "${1:-}" != --in-display ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$REPO/scripts/ctest.sh" --in-display "$@"
fi
shift
export WINEPREFIX="$PWD/wineprefix"
"$REPO/scripts/wine-run.sh" --setup >/dev/null 2>&1
keeper=""
if [ -f bin/WineSessionKeeper.exe ]; then
  ready="$PWD/session-ready"
  rm -f "$ready"
  "$REPO/scripts/wine-run.sh" bin/WineSessionKeeper.exe "Z:${ready//\//\\}" >/dev/null 2>&1 </dev/null &
  keeper=$!
  for _ in $(seq 1 240); do [ -f "$ready" ] && break; sleep 0.25; done
  [ -f "$ready" ] || echo "ctest.sh: the Wine session keeper did not come up; running without it" >&2
fi
status=0
ctest --output-on-failure "$@" || status=$?
[ -z "$keeper" ] || kill "$keeper" 2>/dev/null || true
exit $status
