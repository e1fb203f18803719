#!/usr/bin/env bash
# Alarms as a user relies on them: one written in the note not shown rings and brings its note
# up, titled with its time as written; OK in the minute it rang does not ring it again; a time
# the clock jumps over (the computer slept) rings at the next check.
source "$(dirname "$0")/../lib.sh"
desktop_start
bus_start

store_settings "Note=shopping" "Note2=Dentist @9:05 PM"
clock_set "2026-03-05 21:04:56"
vantoly_start clock
check "icon embedded" wait_until 5 tray_icons_are 1
check "the window is hidden until the alarm" not form_shown
check "at 9:05 PM the window comes up" wait_until 16 form_shown
same "with the note that holds the alarm" "$(note_text)" "Dentist @9:05 PM"
xdotool key ctrl+End
xdotool key alt+o
check "OK hides it" wait_until 10 not form_shown
# The armed check runs ten seconds after OK, still within 9:05.
sleep 14
check "OK in the minute it rang does not ring it again" not form_shown
click_tray_icon 3
check "the balloon is titled with the time as written" \
  wait_until 3 notified "Alarm: 9:05 PM | Dentist @9:05 PM"
kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"

store_settings "Note=Standup @5:35 in room 4"
clock_set "2026-03-06 05:20:00"
vantoly_start clock
check "icon embedded after the restart" wait_until 5 tray_icons_are 1
sleep 1
clock_set "2026-03-06 05:50:00"
check "a time the clock jumped over rings at the next check" wait_until 16 form_shown
same "with the marker and the time selected" "$(selected_text)" "@5:35"
finish
