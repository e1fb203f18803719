#!/usr/bin/env bash
# A stored note "Call @9:05" is armed at start-up; at 9:05 the window comes up, top-most, with
# "@9:05" selected.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

reg_set Note "Call @9:05"
wine_vantoly_start "@2026-03-05 09:04:50"
check "started" wait_until 20 started
check "hidden until the alarm" hidden
check "at 9:05 the window comes up" wait_until 25 shown
check "top-most" started
same "the alarm text is selected" "$(drv selection)" "@9:05"
check "the program runs on" running "$VANTOLY_PID"
finish
