#!/usr/bin/env bash
# A second start while the program runs ends at once and leaves no trace.
source "$(dirname "$0")/../lib.sh"
desktop_start

vantoly_start
check "first instance in the tray" wait_until 5 tray_icons_are 1
first=$VANTOLY_PID
"$APP/vantoly" >"$WORK/second.log" 2>&1 &
second=$!
check "the second instance ends at once" wait_until 3 gone "$second"
check "it ends with code 0" test "$(exit_code_of "$second")" = 0
sleep 1
check "the tray still holds exactly one icon" tray_icons_are 1
check "the first instance runs on" running "$first"
check "no settings file written" test ! -e "$INI"
finish
