#!/bin/bash
# Installs the win64 package silently into a Wine prefix of its own, checks
# what it installed and registered, starts the installed Viewer, then
# uninstalls it and checks that only the user's data is left.
#   InstallerTest.sh <repo> <build dir>
set -uo pipefail
REPO=$1 BUILD=$2
# Packages again when a program or DLL is newer than the installer.
PACKAGE=$(ls "$BUILD"/packages/Pixmere-*-win64.exe 2>/dev/null | head -n 1)
if [ -z "$PACKAGE" ] || [ -n "$(find "$BUILD/bin" -maxdepth 1 \( -name '*.exe' -o -name '*.dll' \) -newer "$PACKAGE" | head -n 1)" ]; then
  "$REPO/scripts/package.sh" x86_64 >/dev/null || { echo "FAIL: packaging"; exit 1; }
  PACKAGE=$(ls "$BUILD"/packages/Pixmere-*-win64.exe | head -n 1)
fi

export WINEPREFIX="$BUILD/installer-prefix"
RUN="$REPO/scripts/wine-run.sh"
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
trap '"$RUN" --cleanup' EXIT
"$RUN" --setup

PF="$WINEPREFIX/drive_c/Program Files/Pixmere"
MENU="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Pixmere"
CLSID='{4C17BBF3-767C-4DFE-B4FD-BFD54EA50F95}'
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pixmere'
passed=0 failed=0
check() { # description, command...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
reg_has() { "$RUN" reg query "$1" ${2:+/v "$2"} 2>/dev/null | tr -d '\r' | grep -qF "${3:-}"; }
wait_for() { # seconds, command...: polls until the command succeeds
  local n=$(( $1 * 4 )); shift
  while [ $n -gt 0 ]; do "$@" >/dev/null 2>&1 && return 0; sleep 0.25; n=$((n - 1)); done
  return 1
}

start=$(date +%s.%N)
"$RUN" "$PACKAGE" /S
installed=$(date +%s.%N)
echo "installed in $(awk "BEGIN{printf \"%.1f\", $installed - $start}") s"

for f in Viewer.exe Contexo.dll rastel.dll framework.dll FolderPane.dll Uninstall.exe; do
  check "installed $f" test -f "$PF/$f"
done
for f in Pixmere.exe Glintfix.exe; do
  if [ -f "$BUILD/bin/$f" ]; then check "installed $f" test -f "$PF/$f"; fi
done
check "Albums folder" test -d "$PF/Albums"
check "cache folder" test -d "$PF/cache"
check "extension class" reg_has "HKCR\\CLSID\\$CLSID" "" "Pixmere"
check "extension server path" reg_has "HKCR\\CLSID\\$CLSID\\InProcServer32" "" 'C:\Program Files\Pixmere\Contexo.dll'
check "extension threading model" reg_has "HKCR\\CLSID\\$CLSID\\InProcServer32" ThreadingModel Apartment
check "context-menu handler" reg_has 'HKCR\*\shellex\ContextMenuHandlers\Pixmere' "" "$CLSID"
check "approved extension" reg_has 'HKLM\Software\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved' "$CLSID" Pixmere
check "Viewer shortcut" test -f "$MENU/Viewer.lnk"
if [ -f "$BUILD/bin/Pixmere.exe" ]; then check "Pixmere shortcut" test -f "$MENU/Pixmere.lnk"; fi
if [ -f "$BUILD/bin/Glintfix.exe" ]; then check "Glintfix shortcut" test -f "$MENU/Glintfix.lnk"; fi
check "uninstall entry name" reg_has "$UNINSTALL" DisplayName Pixmere
check "uninstall entry version" reg_has "$UNINSTALL" DisplayVersion 1.
check "uninstall entry publisher" reg_has "$UNINSTALL" Publisher Quenwick
check "uninstall entry location" reg_has "$UNINSTALL" InstallLocation 'C:\Program Files\Pixmere'
check "uninstall entry command" reg_has "$UNINSTALL" UninstallString 'Uninstall.exe'
check "uninstall entry icon" reg_has "$UNINSTALL" DisplayIcon 'Viewer.exe'
check "uninstall entry size" reg_has "$UNINSTALL" EstimatedSize 0x

# The installed Viewer opens a picture in a window of its own.
PICTURES=$(mktemp -d)
/usr/bin/convert -size 320x240 gradient:red-blue "$PICTURES/installed_check.jpg"
"$RUN" "C:\\Program Files\\Pixmere\\Viewer.exe" "Z:${PICTURES//\//\\}\\installed_check.jpg" &
viewer=$!
check "installed Viewer shows its window" wait_for 60 bash -c 'xwininfo -root -tree | grep -q installed_check'
"$RUN" taskkill /IM Viewer.exe /F >/dev/null 2>&1
kill $viewer 2>/dev/null; wait $viewer 2>/dev/null
rm -rf "$PICTURES"

# The user's data, as the programs keep it beside themselves.
printf 'album' > "$PF/Albums/Album_1.alb"
printf 'C:\\Pictures\0' > "$PF/Albums/files.db"
printf 'thumb' > "$PF/cache/0123456789abcdef0123456789abcdef01234567.jpg"
check "a user can write an album" test -s "$PF/Albums/Album_1.alb"

uninstall_start=$(date +%s.%N)
"$RUN" "C:\\Program Files\\Pixmere\\Uninstall.exe" /S
# The uninstaller runs from a copy of itself: wait for it to finish.
check "uninstall removes the programs" wait_for 60 bash -c "! test -e '$PF/Viewer.exe' && ! test -e '$PF/Uninstall.exe'"
uninstalled=$(date +%s.%N)
# Its last steps (shortcuts, then its own entry) follow the programs' removal:
# let it end before the rest is checked.
wait_for 60 bash -c "! test -e '$MENU' && ! $RUN reg query '$UNINSTALL'" || true
echo "uninstalled in $(awk "BEGIN{printf \"%.1f\", $uninstalled - $uninstall_start}") s"
for f in Viewer.exe Pixmere.exe Glintfix.exe Contexo.dll rastel.dll framework.dll FolderPane.dll; do
  check "removed $f" test ! -e "$PF/$f"
done
check "cache removed" test ! -e "$PF/cache"
check "album kept" test -f "$PF/Albums/Album_1.alb"
check "registry of folders kept" test -f "$PF/Albums/files.db"
check "shortcuts removed" test ! -e "$MENU"
check "extension class removed" bash -c "! $RUN reg query 'HKCR\\CLSID\\$CLSID'"
check "context-menu handler removed" bash -c "! $RUN reg query 'HKCR\\*\\shellex\\ContextMenuHandlers\\Pixmere'"
check "approval removed" bash -c "! $RUN reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved' /v '$CLSID'"
check "uninstall entry removed" bash -c "! $RUN reg query '$UNINSTALL'"

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
