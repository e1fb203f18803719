#!/usr/bin/env bash
# Eight times in one note ring one after another in one run, and the chime is heard at each.
source "$(dirname "$0")/../lib.sh"
desktop_start
pulse_start || finish

# The clock jumps to each time in turn; every ring selects its time and plays the chime.
store_settings "Note=$(printf '@9:%02d ' 21 22 23 24 25 26 27 28)"
clock_set "2026-03-05 09:20:30"
vantoly_start clock
check "icon embedded" wait_until 5 tray_icons_are 1
for minute in 21 22 23 24 25 26 27 28; do
  record_start "$WORK/ring-$minute.wav"
  clock_set "2026-03-05 09:$minute:00"
  wait_until 16 eval 'form_shown && [ "$(selected_text)" = "@9:$minute" ]'
  sleep 2.5
  record_stop
  check "9:$minute rang and was heard" louder_than "$WORK/ring-$minute.wav" 0.05
done
finish
