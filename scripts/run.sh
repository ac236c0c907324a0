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
# The run command has a Wine prefix of its own. Pixmere's "ReIndex" walks
# every fixed drive, and Wine's drive Z: is the whole Linux file system: this
# prefix reports Z: as a network drive, searched only when the user asks for
# network drives, so that indexing walks the prefix's own drive C: only.
export WINEPREFIX="$REPO/build/x86_64/runprefix"
"$REPO/scripts/wine-run.sh" --setup
if ! "$REPO/scripts/wine-run.sh" reg query 'HKLM\Software\Wine\Drives' /v z: 2>/dev/null | grep -qi network; then
  "$REPO/scripts/wine-run.sh" reg add 'HKLM\Software\Wine\Drives' /v z: /d network /f >/dev/null
  # The drive types are read when the prefix's server starts.
  /usr/lib/wine/wineserver64 -k 2>/dev/null || /usr/lib/wine/wineserver -k 2>/dev/null || true
  "$REPO/scripts/wine-run.sh" --setup
fi
"$REPO/scripts/wine-run.sh" "$BIN/MakeSamples.exe" "Z:${SAMPLES//\//\\}"
"$REPO/scripts/modern-samples.sh" "$SAMPLES"
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
  # The virtual display has no window manager to maximise the window; Wine
  # places Pixmere's windows itself then (for Pixmere only).
  "$REPO/scripts/wine-run.sh" reg add 'HKCU\Software\Wine\AppDefaults\Pixmere.exe\X11 Driver' \
    /v Managed /d N /f >/dev/null 2>&1 || true
  # The Wine session that the programs above started has a desktop without
  # a display, and a program of that session cannot open windows on one:
  # Pixmere starts a session of its own under the virtual display.
  "$REPO/scripts/wine-run.sh" --cleanup
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$REPO/scripts/screenshot-when-drawn.sh" "$SHOT" "files" \
    "$REPO/scripts/wine-run.sh" "$BIN/Pixmere.exe" "$START"
  echo "Screenshot of the browser: $SHOT"
fi
