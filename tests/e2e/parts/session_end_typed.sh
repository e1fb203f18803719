#!/usr/bin/env bash
# Text typed into the note and never saved survives the session ending: SIGTERM, SIGHUP and
# SIGINT each save it (and remove the icon), twenty tries each. Each signal runs as a case of its
# own (SIGNAL), on a display of its own.
source "$(dirname "$0")/../lib.sh"
desktop_start

saved=0 tries=0
for sig in ${SIGNAL:-TERM HUP INT}; do
  for try in $(seq 1 20); do
    tries=$((tries + 1))
    store_settings "Note="
    vantoly_start
    wait_until 5 tray_icons_are 1 || { fail "SIG$sig $try: icon not embedded"; continue; }
    sleep 0.3
    show_by_tray_icon 10 || { fail "SIG$sig $try: window not shown"; continue; }
    xdotool type --delay 10 "typed $sig $try"
    sleep 0.2
    kill -s "$sig" "$VANTOLY_PID"
    wait_until 5 gone "$VANTOLY_PID" || { fail "SIG$sig $try: did not end"; continue; }
    [ "$(exit_code_of "$VANTOLY_PID")" = 0 ] || fail "SIG$sig $try: exit code not 0"
    if [ "$(setting Note)" = "typed $sig $try" ]; then
      saved=$((saved + 1))
    else
      fail "SIG$sig $try: the note was [$(setting Note)]"
    fi
    wait_until 3 tray_icons_are 0 || fail "SIG$sig $try: icon left in the tray"
  done
done
same "every typed note was saved" "$saved" "$tries"
VANTOLY_PID=
finish
