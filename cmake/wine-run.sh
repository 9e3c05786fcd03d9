#!/usr/bin/env bash
# Runs one Windows program of the build under Wine. CMake uses it as the
# cross-compiling emulator, so ctest runs every test and every test listing
# through it.
#
#   wine-run.sh [--wine-dir=DIR] program.exe [arguments...]
#
# DIR (default $VANTREL_WINE_DIR, else ~/.cache/vantrel-wine) holds the
# prefix; it is created on first use (see wine-prefix.sh). The environment is
# pinned: TZ=UTC unless VANTREL_TEST_TZ names another zone, LC_ALL=en_US.UTF-8.
#
# Printer: the print server of the build tree that holds DIR, while
# scripts/print-server.sh keeps it up (CUPS_SERVER; the tests read
# VANTREL_TEST_PDF_DIR); else whatever Wine finds, usually none.
#
# Display: while scripts/wine-session.sh keeps a wineserver up for DIR, its
# display is used, so every process shares one desktop. Otherwise $DISPLAY,
# and without one a private Xvfb that lives as long as this run.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-prefix.sh
. "$here/wine-prefix.sh"

winedir=${VANTREL_WINE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vantrel-wine}
case ${1:-} in
  --wine-dir=*) winedir=${1#--wine-dir=}; shift ;;
esac
if [ $# -eq 0 ]; then
  echo "usage: wine-run.sh [--wine-dir=DIR] program.exe [arguments...]" >&2
  exit 2
fi

vantrel_wine_ensure_prefix "$winedir" prefix
vantrel_wine_env "$winedir/prefix"

# While the build tree's own print server runs (scripts/print-server.sh), it
# is the printer Wine sees, and the tests learn where its PDF files appear.
print_env=$(dirname "$winedir")/print/server.env
if [ -f "$print_env" ]; then
  # shellcheck disable=SC1090
  . "$print_env"
  if vantrel_pid_running "${VANTREL_PRINT_SERVER_PID:-}"; then
    export CUPS_SERVER=$VANTREL_PRINT_SOCKET
    export VANTREL_TEST_PDF_DIR=$VANTREL_PRINT_PDF_DIR
  fi
fi

# A GoogleTest program creates this file when its tests begin and removes it
# when they have all run: a program that ends early, even with exit code 0,
# leaves it, and the run fails instead of passing with tests never run.
marker=$(mktemp -u "${TMPDIR:-/tmp}/vantrel-premature-exit.XXXXXX")
export TEST_PREMATURE_EXIT_FILE="Z:${marker//\//\\}"
run_wine() {
  local status=0
  wine "$@" || status=$?
  if [ -e "$marker" ]; then
    rm -f "$marker"
    echo "wine-run.sh: $1 ended before all its tests had run" >&2
    [ "$status" -ne 0 ] || status=1
  fi
  return "$status"
}

session_alive() {
  [ -f "$winedir/session.env" ] || return 1
  # shellcheck disable=SC1091
  . "$winedir/session.env"
  vantrel_pid_running "${VANTREL_SESSION_SERVER_PID:-}"
}

if session_alive; then
  export DISPLAY=$VANTREL_SESSION_DISPLAY
  run_wine "$@"
  exit
fi

if [ -n "${DISPLAY:-}" ]; then
  run_wine "$@"
  exit
fi

# No display at all: a private Xvfb. It must outlive every Wine process of
# the prefix (the desktop's explorer draws on it), so wait for the wineserver
# to end before stopping it. The prefix has one desktop, which cannot span
# two displays: parallel runs take turns.
exec 8>"$winedir/display.lock"
flock 8
vantrel_start_xvfb
status=0
run_wine "$@" 8>&- || status=$?
wineserver -w 8>&- || true
kill "$VANTREL_XVFB_PID" 2>/dev/null || true
wait "$VANTREL_XVFB_PID" 2>/dev/null || true
exit "$status"
