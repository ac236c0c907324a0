#!/bin/bash
# The main job: sets up the machine, builds the suite, writes the bundled
# sample pictures, and lists what was built.
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
