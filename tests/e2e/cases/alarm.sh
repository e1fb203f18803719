#!/usr/bin/env bash
# A stored first note "Call @9:05" is armed at start-up and fires within ten seconds of 9:05:
# the window comes up top-most with "@9:05" selected and the chime plays; while the user types
# into another program it comes up without taking the keyboard. Without alarm.wav the alarm is
# silent and everything else still happens, for an alarm written into the file from outside too.
source "$(dirname "$0")/../lib.sh"
desktop_start
pulse_start || finish

store_settings "Note=Call @9:05"
record_start "$WORK/chime.wav"
vantoly_start "@2026-03-05 09:04:56"
check "icon embedded" wait_until 5 tray_icons_are 1
check "the window is hidden until the alarm" not form_shown
check "at 9:05 the window comes up" wait_until 16 form_shown
# Start-up made it top-most while hidden; X applies that state when the window is mapped.
check "top-most as it comes up" form_above
check "the alarm text is selected" test "$(selected_text)" = "@9:05"
sleep 3
record_stop
check "the chime was heard" louder_than "$WORK/chime.wav" 0.05
check "the program runs on" running "$VANTOLY_PID"
kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"

# The user types into another program across the alarm's minute: the window comes up on top
# with its time selected, and every key still goes where the user types.
"$BUILD/e2e_typist" "$WORK/typed.txt" &
PIDS+=($!)
wait_until 10 xdotool search --name '^typist$' >/dev/null || fail "the other program did not start"
typist=$(xdotool search --name '^typist$' | head -n 1)
xdotool windowactivate --sync "$typist"
store_settings "Note=Meet @9:25"
vantoly_start "@2026-03-05 09:24:57"
wait_until 5 tray_icons_are 1
xdotool type --delay 20 "before "
check "typing elsewhere: the window comes up" wait_until 16 form_shown
xdotool type --delay 20 "after"
check "typing elsewhere: every key reached the other program" \
  wait_until 3 eval 'test "$(cat "$WORK/typed.txt")" = "before after"'
check "typing elsewhere: which keeps the keyboard" test "$(xdotool getactivewindow)" = "$typist"
check "typing elsewhere: the time is selected, untouched" test "$(selected_text)" = "@9:25"
kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"

rm "$APP/alarm.wav"
# Another minute, its alarm written into the file from outside (a sync tool's rename) while
# Vantoly runs: it rings here too.
store_settings "Note=Call later"
record_start "$WORK/silence.wav"
vantoly_start "@2026-03-05 09:14:40"
wait_until 5 tray_icons_are 1
sed 's/^Note=.*/Note=Call @9:15 AM now/' "$INI" >"$INI.sync" && mv "$INI.sync" "$INI"
check "no sound file: the window still comes up" wait_until 30 form_shown
check "no sound file: the alarm text is selected" test "$(selected_text)" = "@9:15 AM"
sleep 2
record_stop
check "no sound file: nothing was heard" not louder_than "$WORK/silence.wav" 0.001
check "no sound file: the program runs on" running "$VANTOLY_PID"
finish
