#!/usr/bin/env bash
# An alarm typed into a note that is not shown when OK is pressed still rings: "pay rent @10:00"
# typed into note 1, a click on note 2, OK there; at 10:00 the window comes up on note 1 with
# "@10:00" selected.
source "$(dirname "$0")/../lib.sh"
desktop_start

NOTE2="110 16"
vantoly_start "@2026-03-05 09:59:35"
check "icon embedded" wait_until 5 tray_icons_are 1
check "double-click shows the window" show_by_tray_icon 10
xdotool type --delay 20 "pay rent @10:00"
click_form $NOTE2 1
sleep 0.3
xdotool key alt+o
check "OK hides the window" wait_until 10 not form_shown
same "the switch wrote note 1" "$(setting Note)" "pay rent @10:00"
check "at 10:00 the window comes up" wait_until 40 form_shown
check "on note 1, its time selected" test "$(selected_text)" = "@10:00"
finish
