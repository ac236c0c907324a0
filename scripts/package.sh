#!/bin/bash
# Makes the Windows packages from the build trees: the NSIS installer
# Pixmere-<version>-win64.exe / -win32.exe and a portable ZIP of each, in
# build/<arch>/packages.
#   scripts/package.sh [x86_64|i686|all]   (default all)
set -euo pipefail
REPO=$(cd "$(dirname "$0")/.." && pwd)
which="${1:-all}"
archs=$which; [ "$which" = all ] && archs="x86_64 i686"
for a in $archs; do
  "$REPO/scripts/build.sh" "$a"
  dir="$REPO/build/$a"
  (
    flock 9
    cd "$dir"
    cpack -C Release >"$dir/cpack.log" 2>&1 || { cat "$dir/cpack.log"; exit 1; }
  ) 9>"$dir/.build-lock"
  ls -l "$dir/packages/"Pixmere-*.exe "$dir/packages/"Pixmere-*.zip | awk '{printf "  %-60s %9d bytes\n", $NF, $5}'
done
