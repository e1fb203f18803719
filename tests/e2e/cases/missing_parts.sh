#!/usr/bin/env bash
# Parts of the desktop or of the installation that are not there: no audio device and an empty
# alarm.wav (the alarm still brings the window up, silently), no session bus and so no
# notification server (the balloon falls back to the tray's own), and a day icon that is not an
# icon at all (the installation message, then the end). Nothing crashes.
source "$(dirname "$0")/../lib.sh"
desktop_start # no sound server, no session bus

: >"$APP/alarm.wav"
store_settings "Note=Call @9:05"
vantoly_start "@2026-03-05 09:04:56"
check "icon embedded" wait_until 5 tray_icons_are 1
check "at 9:05 the window comes up with no audio device and an empty sound file" \
  wait_until 16 form_shown
sleep 2
check "the program runs on" running "$VANTOLY_PID"
xdotool key alt+o
wait_until 10 not form_shown
click_tray_icon 3
sleep 1
check "a balloon with no notification server does no harm" running "$VANTOLY_PID"
show_by_tray_icon 10 && xdotool key alt+q
check "Quit ends it" wait_until 5 gone "$VANTOLY_PID"
same "with code 0" "$(exit_code_of "$VANTOLY_PID")" 0

head -c 2000 /dev/urandom >"$APP/Black/5.ico"
vantoly_start "@2026-03-05 10:00:00"
check "a day icon that is not an icon: the installation message" wait_until 5 box_open
xdotool windowactivate --sync "$(box_window)" key --clearmodifiers Return 2>/dev/null
check "then the program ends" wait_until 5 gone "$VANTOLY_PID"
check "with a failure code, not a crash" test "$(exit_code_of "$VANTOLY_PID")" = 1
check "no icon left behind" wait_until 3 tray_icons_are 0
finish
