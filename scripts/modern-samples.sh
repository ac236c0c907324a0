#!/bin/bash
# modern-samples.sh FOLDER: adds to the sample folder one HEIC, one JPEG XL
# and one AVIF picture, so that a new user sees those formats in the
# browser. The suite writes none of them; the native encoders make them at
# run time from the folder's own sample photos (each only where its encoder
# is installed): a HEIC with a thumbnail item as phones write one, and a
# JPEG XL that keeps its source's portrait orientation.
set -euo pipefail
dir=$1
made=0
if [ -f "$dir/photo_intel.jpg" ] && command -v heif-enc >/dev/null; then
  heif-enc -q 60 -t 320 "$dir/photo_intel.jpg" -o "$dir/photo_intel.heic" >/dev/null && made=$((made + 1))
fi
if [ -f "$dir/photo_portrait_turned.jpg" ] && command -v cjxl >/dev/null; then
  # Pixels re-encoded (not the JPEG kept losslessly): a JPEG XL as cameras
  # and editors write one.
  cjxl --quiet --lossless_jpeg=0 -d 1.5 "$dir/photo_portrait_turned.jpg" "$dir/photo_portrait_turned.jxl" \
    && made=$((made + 1))
fi
if [ -f "$dir/photo_motorola.jpg" ] && command -v avifenc >/dev/null; then
  avifenc -s 8 "$dir/photo_motorola.jpg" "$dir/photo_motorola.avif" >/dev/null && made=$((made + 1))
fi
echo "modern      $made files"
