#!/bin/bash
# Configures and builds the suite for one or both targets:
#   scripts/build.sh [x86_64|i686|all] [ninja target...]   (default x86_64)
# Build trees: build/x86_64 and build/i686; outputs in build/<arch>/bin.
# Builds of one tree are serialised with a lock, so several shells can share it.
# PIXMERE_CMAKE_ARGS, when set, is passed to the configure step (which then
# runs again), e.g. "-DPIXMERE_DEVELOPER_TARGETS=OFF" for the packages alone.
set -euo pipefail
REPO=$(cd "$(dirname "$0")/.." && pwd)
which="${1:-x86_64}"; shift || true
archs=$which; [ "$which" = all ] && archs="x86_64 i686"
for a in $archs; do
  dir="$REPO/build/$a"
  mkdir -p "$dir"
  (
    flock 9
    if [ ! -f "$dir/build.ninja" ] || [ -n "${PIXMERE_CMAKE_ARGS:-}" ]; then
      # shellcheck disable=SC2086
      cmake -S "$REPO" -B "$dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/toolchain-$a-w64-mingw32.cmake" \
        -DCMAKE_BUILD_TYPE=Release ${PIXMERE_CMAKE_ARGS:-} >/dev/null
    fi
    cmake --build "$dir" -- -k 0 "$@"
  ) 9>"$dir/.build-lock"
done
