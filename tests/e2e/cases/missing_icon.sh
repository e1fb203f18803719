#!/usr/bin/env bash
# Today's day icon missing: the installation message comes up, and once it is closed the program
# ends with no icon left in the tray. The same when the failure comes after the icon was added
# (the note indicator's white icon missing).
source "$(dirname "$0")/../lib.sh"
desktop_start

box() { xdotool search --onlyvisible --name '^Vantoly$' 2>/dev/null | head -n 1 | grep . >/dev/null; }
box_id() { xdotool search --onlyvisible --name '^Vantoly$' 2>/dev/null | head -n 1; }
close_box() { xdotool windowactivate --sync "$(box_id)" key --clearmodifiers Return 2>/dev/null; }

mv "$APP/Black/5.ico" "$APP/5.ico.away"
vantoly_start "@2026-03-05 10:00:00"
check "the message box comes up" wait_until 5 box
check "the program waits for it" running "$VANTOLY_PID"
check "no icon in the tray" tray_icons_are 0
close_box
check "the program ends once the box is closed" wait_until 5 gone "$VANTOLY_PID"
check "with a failure code" test "$(exit_code_of "$VANTOLY_PID")" != 0
mv "$APP/5.ico.away" "$APP/Black/5.ico"

store_settings "Note=Buy milk" "Indicator=1"
mv "$APP/White/5.ico" "$APP/5.ico.away"
vantoly_start "@2026-03-05 10:00:00"
check "indicator icon missing: the message box comes up" wait_until 5 box
close_box
check "indicator icon missing: the program ends" wait_until 5 gone "$VANTOLY_PID"
exit_code_of "$VANTOLY_PID" >/dev/null
check "indicator icon missing: no dead icon is left in the tray" wait_until 3 tray_icons_are 0
check "nothing was saved" test "$(setting xPos)" = ""
VANTOLY_PID=
finish
