#!/usr/bin/env bash
# First start with an empty registry: the icon goes into the notification area with the date as
# its tooltip, the window stays hidden and top-most, with the default titles. A double-click on
# the icon shows it, off the screen's corner; OK saves and hides; a right-click shows the note in
# a balloon; Quit saves, removes the icon and ends with code 0. A note in Cyrillic, Hebrew and
# emoji reaches the balloon whole, and a long one comes in lines.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

wine_vantoly_start "@2026-03-05 10:00:00"
check "start-up ends with the window top-most" wait_until 20 started
check "the window stays hidden" hidden
check "one icon in the tray" wait_until 5 wine_tray_icons_are 1
same "title 1" "$(control_text 'Option1(0)')" "Note 1"
same "title 2" "$(control_text 'Option1(1)')" "Note 2"
same "title 3" "$(control_text 'Option1(2)')" "Help"
same "nothing was written at start-up" "$(reg_value xPos)" ""

hover_tray_icon
check "the tooltip is the date" wait_until 5 shell_tip_is "Thursday, March 5, 2026"

click_tray_icon --repeat 2 --delay 80 1
check "a double-click on the icon shows the window" wait_until 5 shown
check "the note has the focus" wait_until 3 focus_is txtNote
read -r left top _ < <(drv place)
check "Windows' place for it, not the screen's corner" test "$left" -gt 0 -a "$top" -gt 0
drv set-text txtNote "Buy milk"
drv click Command2
check "OK hides the window" wait_until 5 hidden
same "OK saved the note" "$(reg_value Note)" "Buy milk"
same "and both options" "$(reg_value Black) $(reg_value Indicator)" "1 1"
check "and the position" test -n "$(reg_value xPos)"
click_tray_icon 3
check "a right-click shows the note in a balloon" wait_until 10 shell_balloon_is "Buy milk"
printf 'Молоко 😀 שלום' >"$WORK/note.txt"
drv set-text-file txtNote "$(winepath_of "$WORK/note.txt")"
click_tray_icon --repeat 2 --delay 80 1
check "the window shows again" wait_until 5 shown
drv click Command2
check "and hides" wait_until 5 hidden
click_tray_icon 3
check "a note in any script reaches the balloon whole" \
  wait_until 10 shell_balloon_is "Молоко 😀 שלום"
click_tray_icon --repeat 2 --delay 80 1
check "shown again" wait_until 5 shown
python3 -c 'print("see " * 30 + "x" * 150, end="")' >"$WORK/note.txt"
drv set-text-file txtNote "$(winepath_of "$WORK/note.txt")"
drv click Command2 && wait_until 5 hidden
click_tray_icon 3
# Wine's tray would draw it on one line, past the screen's edge.
in_lines() { drv shell-balloon | tr -d '\r' | awk 'length > 64 { exit 1 } END { exit NR < 4 }'; }
check "a long note's balloon comes in lines" wait_until 10 in_lines
click_tray_icon --repeat 2 --delay 80 1
check "shown again" wait_until 5 shown
check "still top-most" started

drv set-text txtNote "Buy bread"
drv click Command1
check "Quit ends the program" wait_until 10 gone "$VANTOLY_PID"
same "with code 0" "$(exit_code_of "$VANTOLY_PID")" 0
same "Quit saved the note" "$(reg_value Note)" "Buy bread"
check "the icon is gone" wait_until 5 wine_tray_icons_are 0
finish
