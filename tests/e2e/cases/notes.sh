#!/usr/bin/env bash
# The notes as a user keeps them, through the real tray icon and window on an XEmbed tray: the
# tray double-click shows the window with the caret in the note and hides it again the way OK
# does, three notes round-trip through switching and a restart, a note is renamed through the
# input box, the balloon reaches the desktop's notification server, a note changed in the file
# shows up, one changed in the file and in the window keeps both texts, and Quit saves and ends.
source "$(dirname "$0")/../lib.sh"
desktop_start
bus_start

# The note selectors, as pixels within the window.
NOTE1="30 16" NOTE2="110 16" HELP="190 16"

vantoly_start "@2026-12-07 09:15:00"
check "icon embedded" wait_until 5 tray_icons_are 1
sleep 0.5
check "double-click shows the window" show_by_tray_icon 10
xdotool type --delay 20 "Call @9:30 dentist"
same "the caret is in the note" "$(note_text)" "Call @9:30 dentist"
xdotool key alt+o
check "OK hides the window" wait_until 10 not form_shown
same "OK writes the note" "$(setting Note)" "Call @9:30 dentist"

click_tray_icon 3
check "right-click sends the note as a notification" \
  wait_until 3 notified "Alarm: 9:30 | Call @9:30 dentist"
check "the window stays hidden" not form_shown

check "double-click shows it again" show_by_tray_icon 10
click_form $NOTE2 1
sleep 0.3
xdotool type --delay 20 "second note"
click_form $HELP 1
sleep 0.3
same "leaving note 2 writes it" "$(setting Note2)" "second note"
check "the help note shows the help text" \
  wait_until 2 eval 'note_text | head -n 1 | grep -qx "Right-Click '"'Note 1', 'Note 2' or 'Help'"' to change the note'"'"'s title."'
xdotool key ctrl+a && xdotool type --delay 20 "my help"
click_form $NOTE1 1
sleep 0.3
same "note 1 comes back" "$(note_text)" "Call @9:30 dentist"
same "leaving the help note writes it" "$(setting Note3)" "my help"

# Rename note 2 while note 1 is shown; the window is not top-most while the box is open.
check "the window is top-most" form_above
click_form $NOTE2 3
check "right-click on a selector opens the rename box" wait_until 3 box_open
check "the window is not top-most while the box is open" wait_until 2 not form_above
xdotool key --clearmodifiers ctrl+a && xdotool type --delay 20 "Shopping" && xdotool key Return
check "the box closes" wait_until 3 not box_open
check "the title is written at once" wait_until 2 eval 'test "$(setting Title2)" = Shopping'
check "the window is top-most again" wait_until 2 form_above
same "the shown note is unchanged" "$(note_text)" "Call @9:30 dentist"

# Typing undone and redone, by both keys a user knows.
xdotool key --clearmodifiers End && xdotool type --delay 20 " today"
xdotool key ctrl+z
same "Ctrl+Z undoes the typing" "$(note_text)" "Call @9:30 dentist"
xdotool key End ctrl+y
same "Ctrl+Y redoes it" "$(note_text)" "Call @9:30 dentist today"
xdotool key End ctrl+z End ctrl+shift+z
same "so does Ctrl+Shift+Z" "$(note_text)" "Call @9:30 dentist today"

# Double-click while shown does what OK does.
click_tray_icon --repeat 2 --delay 90 1
check "double-click on the shown window hides it" wait_until 10 not form_shown
same "and saves the note" "$(setting Note)" "Call @9:30 dentist today"

show_by_tray_icon 10
# A minimised window has no taskbar entry: the tray brings it back.
xdotool windowminimize --sync "$(form_window)"
check "minimised, it is not shown" wait_until 10 not form_shown
check "a double-click brings a minimised window back" show_by_tray_icon 10
xdotool key alt+q
check "Quit ends the program" wait_until 5 gone "$VANTOLY_PID"
check "Quit exits with 0" test "$(exit_code_of "$VANTOLY_PID")" = 0
check "Quit removes the icon" wait_until 3 tray_icons_are 0

vantoly_start
check "restart: icon embedded" wait_until 5 tray_icons_are 1
sleep 0.5
show_by_tray_icon 10
same "restart: note 1 is back" "$(note_text)" "Call @9:30 dentist today"
click_form $NOTE2 1
sleep 0.3
same "restart: note 2 is back" "$(note_text)" "second note"
click_form $HELP 1
sleep 0.3
same "restart: the help note is the user's" "$(note_text)" "my help"
# Another computer's sync puts a new file in place (a rename over it) while the note is typed
# here: OK keeps both texts, ours first, in the file and the window.
xdotool key ctrl+End && xdotool type " here"
sed 's/^Note3=.*/Note3=from elsewhere/' "$INI" >"$INI.sync" && mv "$INI.sync" "$INI"
xdotool key alt+o
check "changed in both places: the file keeps both" \
  wait_until 5 eval '[ "$(setting Note3)" = "my help here\r\n-------- changed elsewhere too --------\r\nfrom elsewhere" ]'
show_by_tray_icon 10
same "and the window shows both" "$(note_text | tr -d '\r' | tr '\n' '|')" \
  "my help here|-------- changed elsewhere too --------|from elsewhere"
xdotool key alt+o && wait_until 5 not form_shown
sed 's/^Note3=.*/Note3=synced while hidden/' "$INI" >"$INI.sync" && mv "$INI.sync" "$INI"
show_by_tray_icon 10
check "a note changed in the file meanwhile shows up" \
  wait_until 5 eval '[ "$(note_text)" = "synced while hidden" ]'
# An editor writes the file in place while the window shows the note, untouched since: it follows.
content=$(sed 's/^Note3=.*/Note3=written in place/' "$INI") && printf '%s\n' "$content" >"$INI"
check "a note written into the file in place shows up in the shown window" \
  wait_until 5 eval '[ "$(note_text)" = "written in place" ]'
xdotool key alt+q
wait_until 5 gone "$VANTOLY_PID"
same "restart: the renamed title is kept" "$(setting Title2)" "Shopping"
finish
