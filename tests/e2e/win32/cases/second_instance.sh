#!/usr/bin/env bash
# A second start while the program runs shows the first one's window, ends at once, writes
# nothing and leaves the first one's tray icon alone.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

wine_vantoly_start
check "first instance started" wait_until 20 started
check "its icon is in the tray" wait_until 5 wine_tray_icons_are 1
first=$VANTOLY_PID
"$WINE" "$APP/vantoly.exe" >"$WORK/second.log" 2>&1 &
second=$!
check "the second instance ends at once" wait_until 10 gone "$second"
same "with code 0" "$(exit_code_of "$second")" 0
check "the first one shows its window" wait_until 10 shown
sleep 1
check "the tray still holds the first one's icon" wine_tray_icons_are 1
check "the first instance runs on" running "$first"
same "nothing was written" "$(reg_value xPos)" ""
finish
