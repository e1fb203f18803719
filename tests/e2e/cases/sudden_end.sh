#!/usr/bin/env bash
# Typing that was never confirmed survives a sudden end: killed with SIGKILL, or the display dying
# under it, once the typing has reached the recovery journal (a second after it, unless the
# machine is busy; how soon is the bench's to measure). At the next start the text is back in
# the settings file before start-up reads it, and in the window.
source "$(dirname "$0")/../lib.sh"
desktop_start

type_note() { # text
  show_by_tray_icon 10 || return 1
  xdotool key ctrl+End && xdotool type --delay 20 "$1"
  wait_until 15 journal_has "$1" ||
    fail "the typing did not reach the journal"
}

store_settings "Note=saved"
vantoly_start
check "icon embedded" wait_until 5 tray_icons_are 1
sleep 0.5
type_note " and typed"
kill -9 "$VANTOLY_PID"; wait "$VANTOLY_PID" 2>/dev/null
same "killed: the file holds only what was saved" "$(setting Note)" "saved"
vantoly_start
check "killed: it starts again" wait_until 5 tray_icons_are 1
same "killed: the typing is in the file" "$(setting Note)" "saved and typed"
check "killed: the window shows" show_by_tray_icon 10
same "killed: and in the window" "$(note_text)" "saved and typed"
xdotool key alt+o
wait_until 10 not form_shown

type_note " then the display died"
kill "$XVFB_PID"; wait "$XVFB_PID" 2>/dev/null
check "the display died: so did the program" wait_until 10 gone "$VANTOLY_PID"
display_start && tray_start
vantoly_start
check "the display died: it starts on a new one" wait_until 5 tray_icons_are 1
same "the display died: the typing is in the file" "$(setting Note)" \
  "saved and typed then the display died"
finish
