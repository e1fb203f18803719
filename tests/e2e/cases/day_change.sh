#!/usr/bin/env bash
# Crossing midnight: the icon shows the new day at the first minute tick after it. The clock
# runs twenty times as fast, timers included: a tick every three seconds, midnight after four.
source "$(dirname "$0")/../lib.sh"
desktop_start
prepare_icon_refs

vantoly_start "@2026-03-05 23:58:45 x20"
check "icon embedded" wait_until 5 tray_icons_are 1
check "it shows the 5th before midnight" icon_is "Black 5"
check "after midnight's tick it shows the 6th" wait_until 15 icon_is "Black 6"
check "still one icon" tray_icons_are 1
check "still running" running "$VANTOLY_PID"
finish
