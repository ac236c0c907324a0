#!/bin/bash
# The main job: sets up the machine, builds the suite, writes the bundled
# sample pictures, lists what was built, and starts the browser Pixmere on
# the sample folder (under Xvfb, with a screenshot in build/screenshot.png
# once the window and its thumbnails are drawn, when there is no display).
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

# The browser starts with the sample folder as its start file and shows its
# thumbnails. Without a display it runs under a virtual one: the screenshot
# is taken once the window is up and the picture has stopped changing (the
# thumbnails have arrived), not after a fixed time.
START="Z:${SAMPLES//\//\\}"
if [ -n "${DISPLAY:-}" ]; then
  echo "Starting Pixmere on $SAMPLES"
  "$REPO/scripts/wine-run.sh" "$BIN/Pixmere.exe" "$START"
else
  SHOT="$REPO/build/screenshot.png"
  echo "No display: running Pixmere on $SAMPLES under Xvfb"
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$REPO/scripts/screenshot-when-drawn.sh" "$SHOT" "files" \
    "$REPO/scripts/wine-run.sh" "$BIN/Pixmere.exe" "$START"
  echo "Screenshot of the browser: $SHOT"
fi
