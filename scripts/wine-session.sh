#!/usr/bin/env bash
# Keeps one wineserver, its desktop and an Xvfb up for a whole test run.
#
#   scripts/wine-session.sh start BUILD_DIR
#   scripts/wine-session.sh stop  BUILD_DIR
#
# BUILD_DIR is a Windows build tree (it holds keepalive.exe and wine/).
#
# Why: ctest waits until every process holding a test's output pipe has
# ended, and a test process would otherwise start the wineserver (which
# lingers 3 s) and the desktop's explorer.exe itself: about 2.7 s per test.
# Started here, outside ctest, they are shared and a test process costs about
# 0.05 s.
#
# "start" also gives the tests a fresh copy of the prefix, so nothing one run
# writes into the registry is seen by the next. The tests run on a private
# Xvfb; set VANTREL_TEST_DISPLAY to a display to watch them there instead.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../cmake/wine-prefix.sh
. "$here/../cmake/wine-prefix.sh"

if [ $# -ne 2 ] || { [ "$1" != start ] && [ "$1" != stop ]; }; then
  echo "usage: wine-session.sh start|stop BUILD_DIR" >&2
  exit 2
fi
action=$1
build=$(cd "$2" && pwd)
winedir=$build/wine
envfile=$winedir/session.env
log=$winedir/session.log

pid_alive() { vantrel_pid_running "$@"; }

# Waits up to $2 tenths of a second for process $1 to end.
wait_gone() {
  local i
  for ((i = 0; i < $2; i++)); do
    pid_alive "$1" || return 0
    sleep 0.1
  done
  return 1
}

stop_session() {
  [ -f "$envfile" ] || return 0
  # shellcheck disable=SC1090
  . "$envfile"
  vantrel_wine_env "$winedir/prefix"
  if pid_alive "${VANTREL_SESSION_KEEPALIVE_PID:-}"; then
    kill "$VANTREL_SESSION_KEEPALIVE_PID" 2>/dev/null || true
  fi
  if pid_alive "${VANTREL_SESSION_SERVER_PID:-}"; then
    wineserver -k >>"$log" 2>&1 || true
    wait_gone "$VANTREL_SESSION_SERVER_PID" 100 ||
      kill -9 "$VANTREL_SESSION_SERVER_PID" 2>/dev/null || true
  fi
  if pid_alive "${VANTREL_SESSION_XVFB_PID:-}"; then
    kill "$VANTREL_SESSION_XVFB_PID" 2>/dev/null || true
    wait_gone "$VANTREL_SESSION_XVFB_PID" 50 || true
  fi
  rm -f "$envfile"
}

try_start_session() {
  local keepalive=$build/keepalive.exe
  if [ ! -f "$keepalive" ]; then
    echo "wine-session: $keepalive is missing; build the Windows configuration first" >&2
    exit 1
  fi
  stop_session
  vantrel_wine_ensure_prefix "$winedir" prefix fresh
  vantrel_wine_env "$winedir/prefix"
  : >"$log"

  local xvfb_pid=""
  if [ -n "${VANTREL_TEST_DISPLAY:-}" ]; then
    export DISPLAY=$VANTREL_TEST_DISPLAY
  else
    vantrel_start_xvfb 1024x768x24
    xvfb_pid=$VANTREL_XVFB_PID
  fi

  # Every process started here writes to the log, never to our caller's
  # output: a CI runner waits for all holders of its pipe to exit.
  wineserver -p -f >>"$log" 2>&1 &
  local server_pid=$!
  # Written now so a failure below still lets "stop" clean up.
  cat >"$envfile" <<EOF
VANTREL_SESSION_SERVER_PID=$server_pid
VANTREL_SESSION_XVFB_PID=$xvfb_pid
VANTREL_SESSION_DISPLAY=$DISPLAY
EOF

  # Connects to the server and brings up the prefix's services.
  wine cmd /c exit >>"$log" 2>&1 </dev/null

  local ready=$winedir/keepalive.ready
  rm -f "$ready"
  wine "$keepalive" "Z:$(echo "$ready" | tr / '\\')" >>"$log" 2>&1 </dev/null &
  local keepalive_pid=$!
  echo "VANTREL_SESSION_KEEPALIVE_PID=$keepalive_pid" >>"$envfile"

  local i
  for ((i = 0; i < 300; i++)); do
    [ -f "$ready" ] && break
    if ! pid_alive "$keepalive_pid"; then break; fi
    sleep 0.1
  done
  if [ ! -f "$ready" ]; then
    echo "wine-session: the desktop did not come up; see $log" >&2
    stop_session
    return 1
  fi
  if ! pid_alive "$server_pid"; then
    echo "wine-session: the wineserver ended; see $log" >&2
    stop_session
    return 1
  fi
}

# A second try covers a display that went away under us while starting.
start_session() {
  try_start_session || try_start_session
}

case $action in
  start) start_session ;;
  stop) stop_session ;;
esac
