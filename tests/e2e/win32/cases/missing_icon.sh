#!/usr/bin/env bash
# Today's day icon missing: the installation message comes up with its exact text; once it is
# closed the program ends with a failure code and leaves no icon behind. The same when the
# failure comes after the icon was added (the note indicator's white icon missing).
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

mv "$APP/Black/5.ico" "$WORK/5.ico.away"
wine_vantoly_start "@2026-03-05 10:00:00"
check "the message box comes up" wait_until 20 box_up
same "its caption and text" "$(drv box-text | tr -d '\r')" "caption: Vantoly
text: Vantly is not properly installed
Please reinstall the program"
check "the program waits for it" running "$VANTOLY_PID"
check "no icon in the tray" wine_tray_icons_are 0
drv box-ok
check "the program ends once the box is closed" wait_until 10 gone "$VANTOLY_PID"
check "with a failure code" test "$(exit_code_of "$VANTOLY_PID")" != 0
mv "$WORK/5.ico.away" "$APP/Black/5.ico"

reg_set Note "Buy milk"
mv "$APP/White/5.ico" "$WORK/5.ico.away"
wine_vantoly_start "@2026-03-05 10:00:00"
check "indicator icon missing: the message box comes up" wait_until 20 box_up
drv box-ok
check "indicator icon missing: the program ends" wait_until 10 gone "$VANTOLY_PID"
exit_code_of "$VANTOLY_PID" >/dev/null
check "indicator icon missing: no dead icon is left in the tray" wait_until 5 wine_tray_icons_are 0
same "nothing was saved" "$(reg_value xPos)" ""
finish
