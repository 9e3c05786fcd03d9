#!/usr/bin/env bash
# A private print server for the Windows tests: a cupsd of our own with one
# cups-pdf queue, "PDF", which Wine sees as its only (and default) printer.
# Nothing in /etc is changed; everything lives under BUILD_DIR/print.
#
#   scripts/print-server.sh start BUILD_DIR
#   scripts/print-server.sh stop  BUILD_DIR
#
# "start" writes BUILD_DIR/print/server.env with the server's PID, the socket
# to give Wine as CUPS_SERVER (cmake/wine-run.sh does so while the server
# runs) and the folder cups-pdf writes the PDF files into: the PDF folder in
# the home of the user who prints (cups-pdf's own setting). "stop" ends that
# PID only. Both are quiet on success; the server's log is
# BUILD_DIR/print/log/error_log.
set -euo pipefail

if [ $# -ne 2 ] || { [ "$1" != start ] && [ "$1" != stop ]; }; then
  echo "usage: print-server.sh start|stop BUILD_DIR" >&2
  exit 2
fi
action=$1
mkdir -p "$2"
build=$(cd "$2" && pwd)
dir=$build/print
envfile=$dir/server.env
socket=$dir/cups.sock
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
# In /usr/sbin, which an ordinary user's PATH may leave out.
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
lpadmin=$(command -v lpadmin || echo /usr/sbin/lpadmin)

pid_alive() { [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null; }

stop_server() {
  [ -f "$envfile" ] || return 0
  local VANTREL_PRINT_SERVER_PID=""
  # shellcheck disable=SC1090
  . "$envfile"
  rm -f "$envfile"
  if pid_alive "$VANTREL_PRINT_SERVER_PID"; then
    kill "$VANTREL_PRINT_SERVER_PID" 2>/dev/null || true
    local i
    for ((i = 0; i < 50; i++)); do
      pid_alive "$VANTREL_PRINT_SERVER_PID" || return 0
      sleep 0.1
    done
    kill -9 "$VANTREL_PRINT_SERVER_PID" 2>/dev/null || true
  fi
}

write_config() {
  mkdir -p "$dir/conf/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log"
  # The filters run as the lp user and read the spooled files.
  chmod 0755 "$dir" "$dir/spool" "$dir/spool/tmp"
  cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root lpadmin
PeerCred on
EOF
  # One unix socket, no network, no sharing or browsing; a failed job is
  # dropped rather than stopping the queue for the jobs after it.
  cat >"$dir/cupsd.conf" <<EOF
Listen $socket
Browsing Off
WebInterface No
DefaultShared No
LogLevel warn
MaxLogSize 0
ErrorPolicy abort-job
PreserveJobHistory No
PreserveJobFiles No
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
}

start_server() {
  if [ ! -x "$cupsd" ] || [ ! -x "$lpadmin" ] || [ ! -f "$ppd" ]; then
    echo "print-server: cupsd or the cups-pdf driver is missing (scripts/setup.sh installs them)" >&2
    return 1
  fi
  stop_server
  rm -rf "$dir/conf" "$dir/spool" "$dir/cache" "$dir/state"
  rm -f "$socket"
  write_config
  : >"$dir/log/error_log"

  # Our caller's output is not handed to the server: a CI runner waits for
  # every holder of its pipe.
  "$cupsd" -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >>"$dir/log/cupsd.out" 2>&1 </dev/null &
  local pid=$!
  local home
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  cat >"$envfile" <<EOF
VANTREL_PRINT_SERVER_PID=$pid
VANTREL_PRINT_SOCKET=$socket
VANTREL_PRINT_PDF_DIR=${home:-$HOME}/PDF
EOF

  local i
  for ((i = 0; i < 100; i++)); do
    [ -S "$socket" ] && break
    pid_alive "$pid" || break
    sleep 0.1
  done
  if [ ! -S "$socket" ]; then
    echo "print-server: cupsd did not start; see $dir/log" >&2
    stop_server
    return 1
  fi
  # lpadmin warns that drivers are deprecated: its words go to the log.
  if ! CUPS_SERVER=$socket "$lpadmin" -p PDF -v cups-pdf:/ -E -P "$ppd" >>"$dir/log/cupsd.out" 2>&1 ||
     ! CUPS_SERVER=$socket "$lpadmin" -d PDF >>"$dir/log/cupsd.out" 2>&1; then
    echo "print-server: the PDF queue could not be added; see $dir/log" >&2
    stop_server
    return 1
  fi
}

case $action in
  start) start_server ;;
  stop) stop_server ;;
esac
