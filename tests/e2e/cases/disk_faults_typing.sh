#!/usr/bin/env bash
# The journal on a failing disk while the user types: a moment's trouble says nothing and loses
# nothing once the disk takes writes again, though nothing more is typed; trouble that lasts is
# said. A failed OK, then a note renamed, then more typing, then a kill: everything typed is back.
# A lock file left behind never holds a save up.
source "$(dirname "$0")/../parts/disk_faults.sh"

store_settings "Note=saved"
start_with_faults "open,write,fsync,rename" ENOSPC "$STATE_DIR" || finish
arm
xdotool key ctrl+End && xdotool type --delay 20 " during"
sleep 3
check "a moment's trouble is not worth a box" not box_open
disarm
check "room again: the typing reaches the journal" wait_until 10 journal_has " during"
arm
xdotool type --delay 20 " lasting"
check "trouble that lasts is said" wait_until 15 box_open
dismiss_boxes
disarm
wait_until 10 journal_has " lasting"
kill_and_restart
same "after a kill the typing is in the file" "$(setting Note)" "saved during lasting"
stop

store_settings "Note=saved" "Title2=Work"
start_with_faults rename EIO "$SETTINGS_DIR" || finish
xdotool key ctrl+End && xdotool type --delay 20 " first"
arm
xdotool key alt+o
check "the failed OK says so" wait_until 5 box_open
dismiss_boxes
disarm
wait_until 10 not form_shown
show_by_tray_icon 10
click_form $NOTE2 3
check "right-click on Note 2 asks for its title" wait_until 5 box_open
xdotool key ctrl+a && xdotool type --delay 20 "Home" && xdotool key Return
wait_until 5 not box_open
xdotool key ctrl+End && xdotool type --delay 20 " second"
check "the typing after the rename reaches the journal" \
  wait_until 10 journal_has "saved first second"
kill_and_restart
same "failed OK, rename, typing, kill: the note is whole" "$(setting Note)" "saved first second"
same "and the title is the new one" "$(setting Title2)" "Home"
stop

store_settings "Note=saved"
start_with_faults unlink ENOSPC "$SETTINGS_DIR" || finish
printf '%s\nvantoly\n%s\n' "$VANTOLY_PID" "$(hostname)" >"$INI.lock"
xdotool key ctrl+End && xdotool type --delay 20 " locked"
xdotool key alt+o
check "a lock this process left does not hold OK up" wait_until 3 not form_shown
same "the save went through" "$(setting Note)" "saved locked"
printf '%s\nvantoly\n%s\n' "$VANTOLY_PID" "$(hostname)" >"$INI.lock"
arm
show_by_tray_icon 10
xdotool type --delay 20 " again"
xdotool key alt+o
check "one that cannot be removed fails the save at once" wait_until 3 box_open
dismiss_boxes
disarm
kill_and_restart
same "and nothing is lost" "$(setting Note)" "saved locked again"
stop
finish
