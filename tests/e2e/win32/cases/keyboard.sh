#!/usr/bin/env bash
# The window as a keyboard user meets it: Enter makes a new line in the note rather than pressing
# OK, Tab goes round in the order of the window's definition, Alt+C clears, a right-click on a
# note selector renames it through the input box, and Cancel there leaves the title alone.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

wine_vantoly_start
check "started" wait_until 20 started
check "shown" show_by_tray
keys a b Return c
same "Enter made a new line in the note" "$(control_text txtNote | od -An -c | tr -s ' ')" " a b \r \n c \n"
check "and the window is still up" shown
order=""
for _ in 1 2 3 4 5 6; do keys Tab; order+="$(drv focus) "; done
same "tab order" "$order" "Command2 Command3 chkNote chkBlack Command1 Option1(0) "
keys alt+c
same "Alt+C cleared the note" "$(control_text txtNote)" ""

drv right-click 'Option1(1)'
check "a right-click on a selector asks for a title" wait_until 5 box_up
drv box-answer "Shopping"
check "the new title is shown" wait_until 5 test "$(control_text 'Option1(1)')" = "Shopping"
same "and stored" "$(reg_value Title2)" "Shopping"
drv right-click 'Option1(1)'
check "asked again" wait_until 5 box_up
drv box-cancel
sleep 1
same "Cancel keeps the title" "$(control_text 'Option1(1)')" "Shopping"
finish
