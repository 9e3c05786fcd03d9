#!/usr/bin/env bash
# Runs the ScreenScaleTest suite at 96, 144 and 192 DPI (100%, 150%, 200%),
# each in a fresh copy of the build tree's Wine prefix whose LogPixels says
# that scale, on a display of its own, and keeps the screenshots the suite
# takes as PNG files in BUILD_DIR/dpi-shots (main-<dpi>.png and
# task-editor-<dpi>.png).
#
#   test-screen-scales.sh BUILD_DIR TESTS_EXE
set -uo pipefail

build=$(cd "$1" && pwd)
tests=$(realpath "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../cmake/wine-prefix.sh
. "$here/../../cmake/wine-prefix.sh"

winedir=$build/wine
shots=$build/dpi-shots
mkdir -p "$shots"
failures=0

xvfb_pid=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT

vantrel_start_xvfb 2048x1536x24 || exit 1
xvfb_pid=$VANTREL_XVFB_PID

for dpi in 96 144 192; do
  echo "--- $dpi DPI"
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  vantrel_wine_ensure_prefix "$winedir" "scale-$dpi" fresh || exit 1
  vantrel_wine_env "$winedir/scale-$dpi"
  # Wine reads the scale when its server starts: set it, then let the
  # server that wrote it end. The virtual desktop grows with the scale, as
  # a screen set to 200% is a large one: 1024x768 at 100%.
  reg=$WINEPREFIX/scale.reg
  cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:$(printf %08x "$dpi")

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="$((1024 * dpi / 96))x$((768 * dpi / 96))"
REG
  wine regedit /S 'Z:'"$(echo "$reg" | tr / '\\')" >/dev/null 2>&1
  wineserver -w
  rm -f "$shots"/*-"$dpi".bmp
  VANTREL_EXPECT_DPI=$dpi VANTREL_DPI_SHOTS='Z:'"$(echo "$shots" | tr / '\\')" \
    wine "$tests" --gtest_filter='ScreenScaleTest.*' 2>&1 | tr -d '\r'
  status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] || { echo "FAILED at $dpi DPI"; failures=$((failures + 1)); }
  for bmp in "$shots"/*-"$dpi".bmp; do
    [ -f "$bmp" ] || { echo "FAILED: no screenshot at $dpi DPI"; failures=$((failures + 1)); continue; }
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
  wineserver -k >/dev/null 2>&1
done
echo "screenshots in $shots"
[ "$failures" -eq 0 ]
