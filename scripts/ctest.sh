#!/bin/bash
# Runs the x86-64 tests under Wine inside a virtual X display:
#   scripts/ctest.sh [ctest arguments, e.g. -R rastel_image]
set -euo pipefail
REPO=$(cd "$(dirname "$0")/.." && pwd)
cd "$REPO/build/x86_64"
exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure "$@"
