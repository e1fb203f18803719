#!/usr/bin/env bash
# "@2:30" on the two daylight-saving nights of Berlin: on 2026-03-29 the clock springs from
# 2:00 to 3:00 and the alarm rings right after the jump; on 2026-10-25 2:30 comes twice and the
# alarm rings at the first only, even when OK armed it again in between.
source "$(dirname "$0")/../lib.sh"
desktop_start
export TZ=Europe/Berlin

store_settings "Note=@2:30"
clock_set "2026-03-29 01:59:50 +0100"
vantoly_start clock
check "icon embedded" wait_until 5 tray_icons_are 1
check "not before the jump" not form_shown
check "spring forward: rings after the jump to 3:00" wait_until 30 form_shown
kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"

clock_set "2026-10-25 02:29:50 +0200"
vantoly_start clock
check "icon embedded again" wait_until 5 tray_icons_are 1
check "fall back: rings at the first 2:30" wait_until 25 form_shown
xdotool key alt+o
check "OK hides it and arms it again" wait_until 10 not form_shown
clock_set "2026-10-25 02:29:55 +0100"
# Two checks fall in the second 2:30 within this time.
sleep 26
check "fall back: the second 2:30 does not ring" not form_shown
finish
