#!/usr/bin/env bash
# Builds the 32-bit Windows program and starts it under Wine.
#
#   scripts/run.sh          opens a sample document around today (persons,
#                           tasks, today's appointments), written afresh on
#                           each run to build/sample/Sample.pgr
#   scripts/run.sh FILE     opens FILE, as a double click in Explorer would
#
# With $DISPLAY set, Vantrel! opens there (inside a Wine desktop window) and
# the script returns when it is closed. Without a display it runs on a private
# Xvfb for a few seconds (SHOT_DELAY, default 5), saves a screenshot to
# build/screenshot.png, prints that path and closes the program.
#
# The program runs in its own prefix (build/win32/wine/run-prefix), apart from
# the tests', in the machine's time zone.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Named from where the script was called: made absolute before leaving there.
document=""
if [ $# -gt 0 ]; then
  document=$(realpath -m -- "$1")
fi
cd "$root"

scripts/setup.sh
cmake -S . -B build/win32 -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
cmake --build build/win32 -j "$(nproc)" --target Vantrel -- --quiet

# shellcheck source=../cmake/wine-prefix.sh
. cmake/wine-prefix.sh
winedir=$root/build/win32/wine
vantrel_wine_ensure_prefix "$winedir" run-prefix
vantrel_wine_env "$winedir/run-prefix"
# Wine then takes the zone from /etc/localtime, and the program's C runtime
# follows it (it would misread a TZ like "Europe/Paris").
unset TZ
program=$root/build/win32/Vantrel.exe
if [ -z "$document" ]; then
  mkdir -p build/sample
  document=$root/build/sample/Sample.pgr
  python3 scripts/make-sample-document.py "$document"
fi
# The program is given the document as Explorer gives it: a Windows path.
document=$(winepath -w "$document" 2>/dev/null)

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$program" "$document"
fi

shot=$root/build/screenshot.png
log=$root/build/run.log
close_all() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$VANTREL_XVFB_PID" 2>/dev/null || true
  wait "$VANTREL_XVFB_PID" 2>/dev/null || true
}
trap close_all EXIT

vantrel_start_xvfb 1024x768x24
wine explorer /desktop=shot,1024x768 "$program" "$document" >"$log" 2>&1 &
sleep "${SHOT_DELAY:-5}"
import -display "$DISPLAY" -window root "$shot"
echo "$shot"
