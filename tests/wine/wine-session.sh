#!/usr/bin/env bash
# The world the Windows tests run in, made fresh for each test session and never the user's
# own: a Wine prefix in a temporary folder, Japanese (code page 932), on a private Xvfb display,
# with a private CUPS server that offers the PDF printer "クセロPDF". Every process started here
# is stopped by its own id (Wine: wineserver -k on this prefix).
#   wine-session.sh start SESSION   makes the world and writes its variables to SESSION
#   wine-session.sh run SESSION PROGRAM [ARG...]   runs a Windows program in it
#   wine-session.sh stop SESSION    stops everything and removes the folder
set -euo pipefail

PRINTER=クセロPDF

start() {
  local session=$1 dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/korvent-wine.XXXXXX")
  chmod 755 "$dir"
  {
    echo "KORVENT_WINE_DIR=$dir"
    echo "export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='"
    echo "export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 CUPS_SERVER=$dir/cups/cups.sock"
  } >"$session"
  start_display "$session" "$dir"
  start_cups "$session" "$dir"
  # shellcheck source=/dev/null
  . "$session"
  # Without 32-bit Wine, wineboot reports the 32-bit parts it could not set up; the 64-bit
  # prefix the tests need is there all the same.
  wine wineboot -i </dev/null >/dev/null 2>&1 || true
  [ -d "$WINEPREFIX/drive_c/windows/system32" ]
  # Windows decides where its windows go, as on a real desktop.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

start_display() {
  local session=$1 dir=$2 display
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$dir/display" \
    </dev/null >"$dir/xvfb.log" 2>&1 &
  echo "XVFB_PID=$!" >>"$session"
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  display=$(cat "$dir/display")
  echo "export DISPLAY=:$display" >>"$session"
}

start_cups() {
  local session=$1 dir=$2 c=$2/cups
  mkdir -p "$c"/{spool,cache,state,tmp,log,ppd}
  chmod 1777 "$c/tmp"
  cat >"$c/cupsd.conf" <<CONF
LogLevel warn
Listen $c/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
  cat >"$c/cups-files.conf" <<CONF
ServerRoot $c
RequestRoot $c/spool
CacheDir $c/cache
StateDir $c/state
TempDir $c/tmp
ErrorLog $c/log/error_log
AccessLog $c/log/access_log
PageLog $c/log/page_log
Printcap $c/printcap
FileDevice Yes
SystemGroup root
CONF
  /usr/sbin/cupsd -f -c "$c/cupsd.conf" -s "$c/cups-files.conf" </dev/null >"$c/log/cupsd.out" 2>&1 &
  echo "CUPSD_PID=$!" >>"$session"
  for _ in $(seq 100); do
    lpstat -h "$c/cups.sock" -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.1
  done
  # A second printer, the default, so that making the PDF printer the default is a change.
  lpadmin -h "$c/cups.sock" -p Paper -E -v file:/dev/null
  lpadmin -h "$c/cups.sock" -p "$PRINTER" -E -v file:/dev/null
  lpadmin -h "$c/cups.sock" -d Paper
}

run() {
  local session=$1
  shift
  # shellcheck source=/dev/null
  . "$session"
  exec wine "$@"
}

stop() {
  local session=$1
  [ -f "$session" ] || return 0
  # shellcheck source=/dev/null
  . "$session"
  wineserver -k 2>/dev/null || true
  for pid in "${CUPSD_PID:-}" "${XVFB_PID:-}"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  for pid in "${CUPSD_PID:-}" "${XVFB_PID:-}"; do
    while [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  done
  rm -rf "$KORVENT_WINE_DIR" "$session"
}

command=$1
shift
"$command" "$@"
