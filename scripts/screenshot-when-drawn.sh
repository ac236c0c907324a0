#!/bin/bash
# screenshot-when-drawn.sh SHOT TITLE-PART COMMAND...: runs COMMAND on the
# current X display, waits until a window whose title contains TITLE-PART
# is shown and the screen has stopped changing for three polls in a row
# (pictures that fill in later have arrived), saves the screen to SHOT and
# ends the command. Gives up after 180 s and saves what is there.
set -u
SHOT=$1 TITLE=$2
shift 2
"$@" &
pid=$!
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
deadline=$((SECONDS + 180))
stable=0
seen=0
while [ $SECONDS -lt $deadline ] && kill -0 $pid 2>/dev/null; do
  sleep 1
  if [ $seen = 0 ]; then
    xwininfo -root -tree 2>/dev/null | grep -qF -- "$TITLE" && seen=1
    continue
  fi
  import -window root "$tmp/now.png" 2>/dev/null || continue
  if [ -f "$tmp/last.png" ] &&
     [ "$(compare -metric AE "$tmp/last.png" "$tmp/now.png" null: 2>&1 | cut -d' ' -f1)" = 0 ]; then
    stable=$((stable + 1))
  else
    stable=0
  fi
  mv "$tmp/now.png" "$tmp/last.png"
  [ $stable -ge 3 ] && break
done
[ $seen = 1 ] || echo "screenshot-when-drawn: no window titled \"$TITLE\" appeared" >&2
import -window root "$SHOT"
kill $pid 2>/dev/null
wait $pid 2>/dev/null
exit 0
