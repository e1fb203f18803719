#!/usr/bin/env bash
# Two machines sharing one home (a network home; here a second display and runtime folder): a
# note typed on both keeps both texts, what one saves shows up in the other's window, and each
# keeps its own recovery journal.
source "$(dirname "$0")/../lib.sh"
desktop_start
RUN_B="$WORK/run-b"
mkdir -p "$RUN_B" && chmod 700 "$RUN_B"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display-b" >/dev/null 2>&1 &
PIDS+=($!)
wait_until 10 test -s "$WORK/display-b"
DISPLAY_B=":$(cat "$WORK/display-b")"
# A tray of its own, so B never says it has none.
DISPLAY=$DISPLAY_B trayer --edge top --align right --widthtype request --heighttype pixel \
  --height 24 >/dev/null 2>&1 &
PIDS+=($!)

store_settings "Note=shared"
vantoly_start
A=$VANTOLY_PID
check "A: icon embedded" wait_until 5 tray_icons_are 1
DISPLAY=$DISPLAY_B XDG_RUNTIME_DIR="$RUN_B" "$APP/vantoly" >"$WORK/vantoly-b.log" 2>&1 &
B=$!
on_b() { DISPLAY=$DISPLAY_B XDG_RUNTIME_DIR="$RUN_B" "$@"; }
check "B: icon embedded on its own display" wait_until 10 eval \
  'on_b xwininfo -root -tree | grep -q "(\"vantoly\" \"Vantoly\")"'
# Starting B again brings its window up, the keyboard in the note.
b_has_keyboard() { [ "$(on_b xdotool getwindowfocus getwindowname 2>/dev/null)" = Vantoly ]; }
b_up() { on_b "$APP/vantoly" && wait_until 10 b_has_keyboard; }
type_on_b() { b_up && on_b xdotool key ctrl+End && on_b xdotool type "$1"; }
show_by_tray_icon 10 && xdotool key ctrl+End && xdotool type " from A"
type_on_b " from B"
check "each machine's typing in a journal of its own" wait_until 5 eval \
  '[ "$(ls "$HOME/.local/state/Vantoly/"journal.* 2>/dev/null | wc -l)" -eq 2 ]'
xdotool key alt+o
check "A's OK saves A's" wait_until 5 eval '[ "$(setting Note)" = "shared from A" ]'
b_up && on_b xdotool key alt+o
both='shared from B\r\n-------- changed elsewhere too --------\r\nshared from A'
check "B's OK keeps both" wait_until 5 eval '[ "$(setting Note)" = "$both" ]'
show_by_tray_icon 10
check "and A's window shows both" wait_until 5 eval \
  '[ "$(note_text | tr -d "\r" | tr "\n" "|")" = "shared from B|-------- changed elsewhere too --------|shared from A" ]'
kill "$A" "$B"
check "both end" wait_until 10 eval 'gone "$A" && gone "$B"'
same "nothing typed on either side is lost" "$(setting Note)" "$both"
finish
