#!/bin/bash
# Drives PixmereFuzz.exe under Wine over every parser, restarts it after each
# finding (a crash, hang or memory-cap hit ends the worker; the next run
# starts after that case), keeps each finding as a file and adds up the
# figures per parser.
#
#   tools/fuzz/fuzz.sh smoke [--out DIR]       a few thousand cases per parser;
#                                              exits 1 when anything is found
#   tools/fuzz/fuzz.sh long [--out DIR] [--cases N] [--until EPOCH]
#                      [--slice N] [--parsers "jpeg png ..."] [--nice N]
#       the measuring run: parsers take turns in slices of cases until each
#       has N cases or the clock reaches EPOCH; a second call with the same
#       --out resumes where the first stopped. --bin DIR runs the programs
#       of DIR (a copy of build/x86_64/bin, so that rebuilds do not change
#       the code under test half-way through a long run).
#   tools/fuzz/fuzz.sh summary --out DIR      the figures so far
#
# Findings: DIR/work/findings/<parser>-<case>-<kind>.<ext> (the input) and
# .txt (what happened). Figures: DIR/summary.txt.
set -uo pipefail
REPO=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${PIXMERE_BUILD:-$REPO/build/x86_64}
BIN=$BUILD/bin
export WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
export WINEDEBUG=-all
# No debugger and no crash dialog: a crash that escapes the worker's own
# filter just ends the process.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree,mshtml="
WINE=/usr/lib/wine/wine64

mode=${1:-smoke}
shift || true
OUT=$BUILD/fuzz-$mode
CASES=1500
SLICE=0
UNTIL=0
NICE=0
PARSERS=""
STUCK_SECONDS=90
while [ $# -gt 0 ]; do
  case "$1" in
    --out) OUT=$2; shift 2 ;;
    --cases) CASES=$2; shift 2 ;;
    --slice) SLICE=$2; shift 2 ;;
    --until) UNTIL=$2; shift 2 ;;
    --parsers) PARSERS=$2; shift 2 ;;
    --nice) NICE=$2; shift 2 ;;
    --bin) BIN=$2; shift 2 ;;
    *) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
case "$mode" in
  smoke) [ "$SLICE" -gt 0 ] || SLICE=$CASES ;;
  long) [ "$CASES" -ne 1500 ] || CASES=200000; [ "$SLICE" -gt 0 ] || SLICE=5000 ;;
  summary) ;;
  *) echo "fuzz.sh: mode is smoke, long or summary" >&2; exit 2 ;;
esac

WORK=$OUT/work
FINDINGS=$WORK/findings
# A smoke run always starts afresh; a long run resumes.
[ "$mode" = smoke ] && rm -rf "$OUT/progress" "$WORK"
mkdir -p "$OUT/seeds/samples" "$OUT/progress" "$WORK" "$FINDINGS"

winpath() { local p=${1//\//\\}; echo "Z:$p"; }
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$BUILD/CMakeCache.txt" 2>/dev/null | head -1; }

summary() {
  local total_cases=0
  {
    printf "%-10s %9s %9s %8s %7s %6s %7s %6s %5s\n" parser cases seconds "cases/s" crashes hangs memory stuck died
    for p in $(all_parsers); do
      local cases=0 seconds=0
      [ -f "$OUT/progress/$p.cases" ] && read -r cases < "$OUT/progress/$p.cases"
      [ -f "$OUT/progress/$p.seconds" ] && read -r seconds < "$OUT/progress/$p.seconds"
      local rate=0
      [ "$seconds" -gt 0 ] && rate=$(awk "BEGIN{printf \"%.1f\", $cases/$seconds}")
      count() { find "$FINDINGS" -name "$p-*-$1.txt" 2>/dev/null | wc -l; }
      printf "%-10s %9d %9d %8s %7d %6d %7d %6d %5d\n" "$p" "$cases" "$seconds" "$rate" \
        "$(count crash)" "$(count hang)" "$(count memory)" "$(count stuck)" "$(count died)"
      total_cases=$((total_cases + cases))
    done
    echo "total cases: $total_cases"
  } | tee "$OUT/summary.txt"
}

all_parsers() {
  if [ -n "$PARSERS" ]; then echo "$PARSERS"; return; fi
  echo "bmp ico cur jpeg exif png gif tiff wmf emf webp heif jxl avif ttf catalogue registry"
}

if [ "$mode" = summary ]; then summary; exit 0; fi

# The smoke run gives the slow parsers (each metafile goes through the
# system's conversion, each GIF is decoded twice, the type sample reads
# nothing of its file but draws a 640 x 480 picture) fewer cases.
cases_for() {
  if [ "$mode" = smoke ]; then
    case "$1" in
      ttf) echo $((CASES / 8)); return ;;
      wmf) echo $((CASES / 4)); return ;;
      tiff|emf) echo $((CASES / 3)); return ;;
      gif) echo $((CASES / 2)); return ;;
    esac
  fi
  echo "$CASES"
}

# Seeds: the sample pictures, the catalogue and registry seeds made beside
# them, the codec libraries' own test images and the regression inputs.
if [ ! -f "$OUT/seeds/.ready" ]; then
  "$WINE" "$BIN/MakeSamples.exe" "$(winpath "$OUT/seeds/samples")" > "$OUT/seeds/make.log" 2>&1
  "$WINE" "$BIN/PixmereFuzz.exe" make-seeds "$(winpath "$OUT/seeds/samples")" >> "$OUT/seeds/make.log" 2>&1
  touch "$OUT/seeds/.ready"
fi
SEED_ARGS=(--seeds "$(winpath "$OUT/seeds/samples")" --seeds "$(winpath "$REPO/tests/rastel/image/hostile")"
           --seeds "$(winpath "$REPO/tools/fuzz/seeds")")
for dir in "$(cache_value PIXMERE_PNG_SOURCE)/contrib/pngsuite" "$(cache_value PIXMERE_GIF_SOURCE)/pic" \
           "$(cache_value PIXMERE_TIFF_SOURCE_TREE)/test/images" "$(cache_value PIXMERE_JPEG_SOURCE)/testimages" \
           "$(cache_value PIXMERE_WEBP_SOURCE_TREE)/examples" "$(cache_value PIXMERE_HEIF_SOURCE_TREE)/fuzzing/corpus"; do
  [ -d "$dir" ] && SEED_ARGS+=(--seeds "$(winpath "$dir")")
done

# Runs cases first .. first+count-1 of one parser; sets DONE (cases run)
# and NEXT (the case to start from next time).
run_slice() {
  local p=$1 first=$2 count=$3
  local state=$WORK/$p.state
  rm -f "$state"
  nice -n "$NICE" "$WINE" "$BIN/PixmereFuzz.exe" run --parser "$p" "${SEED_ARGS[@]}" \
    --work "$(winpath "$WORK")" --first "$first" --count "$count" >> "$OUT/$p.log" 2>&1 &
  local pid=$! last="" same=0 reason=""
  while kill -0 "$pid" 2>/dev/null; do
    sleep 1
    local cur=""
    [ -f "$state" ] && cur=$(cat "$state" 2>/dev/null)
    if [ "$cur" = "$last" ]; then same=$((same + 1)); else same=0; last=$cur; fi
    # The worker's own watchdog stops hangs after seconds; this catches a
    # worker that can no longer stop itself.
    if [ "$same" -ge "$STUCK_SECONDS" ]; then reason=stuck; kill -9 "$pid"; break; fi
    if [ "$UNTIL" -gt 0 ] && [ "$(date +%s)" -ge "$UNTIL" ]; then reason=deadline; kill -9 "$pid"; break; fi
  done
  wait "$pid" 2>/dev/null
  local rc=$?
  local at=$first
  local text=""
  [ -f "$state" ] && text=$(cat "$state" 2>/dev/null)
  [ -n "$text" ] && at=$((10#$text))
  if [ -z "$reason" ] && [ "$rc" -eq 0 ]; then
    DONE=$count; NEXT=$((first + count)); return
  fi
  if [ "$reason" = deadline ]; then
    DONE=$((at - first)); NEXT=$at; return
  fi
  if [ -z "$text" ] && [ -z "$reason" ]; then
    # Ended before its first case (Wine failed to start it): try again.
    DONE=0; NEXT=$first; return
  fi
  if [ "$rc" -ne 3 ] && [ "$rc" -ne 4 ] && [ "$rc" -ne 5 ]; then
    # Ended without recording a finding itself.
    [ -n "$reason" ] || reason=died
    local ext
    ext=$(ls "$WORK/$p-case".* 2>/dev/null | head -1 | sed 's/.*\././')
    local base
    base=$FINDINGS/$(printf "%s-%08d-%s" "$p" "$at" "$reason")
    cp "$WORK/$p-case$ext" "$base$ext" 2>/dev/null
    printf "parser %s\r\ncase %d\r\nkind %s\r\nworker ended with code %d\r\n" "$p" "$at" "$reason" "$rc" > "$base.txt"
    echo "finding $p $reason case $at (exit code $rc)" >> "$OUT/$p.log"
  fi
  DONE=$((at - first + 1)); NEXT=$((at + 1))
}

add_to() { local f=$1 v=$2 old=0; [ -f "$f" ] && read -r old < "$f"; echo $((old + v)) > "$f"; }

started=$(date +%s)
while :; do
  progress=0
  for p in $(all_parsers); do
    next=0
    [ -f "$OUT/progress/$p.next" ] && read -r next < "$OUT/progress/$p.next"
    limit=$(cases_for "$p")
    [ "$next" -lt "$limit" ] || continue
    if [ "$UNTIL" -gt 0 ] && [ "$(date +%s)" -ge "$UNTIL" ]; then break 2; fi
    count=$((limit - next)); [ "$count" -le "$SLICE" ] || count=$SLICE
    t0=$(date +%s)
    run_slice "$p" "$next" "$count"
    add_to "$OUT/progress/$p.cases" "$DONE"
    add_to "$OUT/progress/$p.seconds" $(( $(date +%s) - t0 ))
    echo "$NEXT" > "$OUT/progress/$p.next"
    progress=1
  done
  [ "$progress" -eq 1 ] || break
done
echo "fuzz.sh $mode: $(( $(date +%s) - started )) s"
summary
if [ "$mode" = smoke ] && [ -n "$(ls "$FINDINGS" 2>/dev/null)" ]; then
  echo "fuzz.sh: findings in $FINDINGS" >&2
  exit 1
fi
exit 0
