# Sourced by the cases whose store cannot be written (read-only, full).
# A running program whose store cannot be written, with "kept on disk" as its note, seen from
# outside: OK says so in a box, once; switching notes keeps the edits; Quit asks before it loses
# anything and stays when told no; standard error says it once too, naming the file and the
# cause the system gave.
unwritable_store_checks() { # cause
  local cause=$1
  check "it starts" wait_until 5 tray_icons_are 1
  sleep 0.5
  check "the window shows" show_by_tray_icon 10
  xdotool key ctrl+End && xdotool type --delay 20 " and more"
  xdotool key alt+o
  check "OK says in a box that the notes could not be saved" wait_until 5 box_open
  xdotool key Return
  check "then OK hides the window" wait_until 10 not form_shown
  show_by_tray_icon 10
  same "the note stays on screen" "$(note_text)" "kept on disk and more"
  click_form 110 16 1
  sleep 0.3
  xdotool type --delay 20 "second"
  click_form 30 16 1
  sleep 0.3
  same "switching notes keeps the edits" "$(note_text)" "kept on disk and more"
  check "and says nothing again" not box_open
  xdotool key alt+q
  check "Quit asks first" wait_until 5 box_open
  xdotool key Return
  check "no: it stays" wait_until 3 not box_open
  check "running" running "$VANTOLY_PID"
  xdotool key alt+q
  wait_until 5 box_open && xdotool key alt+y
  check "yes: Quit ends it" wait_until 5 gone "$VANTOLY_PID"
  same "standard error says so once" \
    "$(grep -c 'the settings could not be saved' "$WORK/vantoly.log")" 1
  check "and says where" grep -q "$INI" "$WORK/vantoly.log"
  check "and why: $cause" grep -q "could not be saved: .*$cause" "$WORK/vantoly.log"
}
