#!/bin/bash
# The main job: sets up the machine, builds the suite, writes the bundled
# sample pictures, lists what was built, and opens Viewer on the first sample
# picture (under Xvfb, with a screenshot in build/screenshot.png, when there
# is no display).
set -euo pipefail
REPO=$(cd "$(dirname "$0")/.." && pwd)
"$REPO/scripts/bootstrap.sh"
"$REPO/scripts/build.sh" x86_64
BIN="$REPO/build/x86_64/bin"
SAMPLES="$REPO/build/samples"
export WINEPREFIX="$REPO/build/x86_64/wineprefix"
"$REPO/scripts/wine-run.sh" --setup
"$REPO/scripts/wine-run.sh" "$BIN/MakeSamples.exe" "Z:${SAMPLES//\//\\}"
echo
echo "Built in $BIN:"
(cd "$BIN" && ls -l --time-style=+ *.exe *.dll | awk '{printf "  %-36s %9d bytes\n", $NF, $5}')
echo "Sample pictures in $SAMPLES: $(ls "$SAMPLES" | wc -l) files"

# Until the browser exists the run command opens the viewer on the samples.
# Without a display it runs under a virtual one and saves a screenshot.
FIRST=$(cd "$SAMPLES" && ls -1 photo_*.jpg 2>/dev/null | grep -v grey | head -n 1 || true)
[ -n "$FIRST" ] || FIRST=$(cd "$SAMPLES" && ls -1 | head -n 1)
START="Z:${SAMPLES//\//\\}\\$FIRST"
if [ -n "${DISPLAY:-}" ]; then
  echo "Starting Viewer on $SAMPLES/$FIRST"
  "$REPO/scripts/wine-run.sh" "$BIN/Viewer.exe" "$START"
else
  SHOT="$REPO/build/screenshot.png"
  echo "No display: running Viewer on $SAMPLES/$FIRST under Xvfb"
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$1" "$2" & pid=$!
    sleep 8
    import -window root "$3"
    kill $pid 2>/dev/null; wait $pid 2>/dev/null || true' \
    "$REPO/scripts/wine-run.sh" "$BIN/Viewer.exe" "$START" "$SHOT"
  echo "Screenshot of the viewer: $SHOT"
fi
