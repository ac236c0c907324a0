#!/bin/bash
# From nothing to a full test run: sets up the machine, builds both targets
# and their installers (only x86-64 can run here, so the 32-bit build makes
# the shipped programs alone, without tests, benchmarks and tools) and runs
# every test under Wine and Xvfb, the installer's install-and-uninstall test
# among them.
set -euo pipefail
REPO=$(cd "$(dirname "$0")/.." && pwd)
"$REPO/scripts/bootstrap.sh"
"$REPO/scripts/build.sh" x86_64
PIXMERE_CMAKE_ARGS="-DPIXMERE_DEVELOPER_TARGETS=OFF" "$REPO/scripts/build.sh" i686
"$REPO/scripts/package.sh" all
"$REPO/scripts/ctest.sh" "$@"
