#!/usr/bin/env bash
# The layout follows the window's size in twips (15 to the pixel on this 96-DPI screen): the note
# box fills the window, OK and Clear keep their distance from the right edge and the bottom row
# from the bottom. A double-click on the background restores the default size; a right-click
# there opens the about box, with the window not top-most while it is open.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

wine_vantoly_start
check "started" wait_until 20 started
check "shown" show_by_tray
px() { echo $(( $1 / 15 )); } # twips to pixels

drv resize 500 420
sleep 0.5
# The window's size in twips is its client area and the frame the design assumed.
read -r cw ch <<<"$(drv client)"
W=$((cw * 15 + 135)) H=$((ch * 15 + 390))
same "note box" "$(drv rect txtNote)" "8 24 $(px $((W - 315))) $(px $((H - 1305)))"
same "OK" "$(drv rect Command2 | cut -d' ' -f1,2)" "$(px $((W - 1080))) $(px $((H - 840)))"
same "Clear" "$(drv rect Command3 | cut -d' ' -f1,2)" "$(px $((W - 2040))) $(px $((H - 840)))"
same "Quit" "$(drv rect Command1 | cut -d' ' -f1,2)" "8 $(px $((H - 840)))"
drv resize 270 300
sleep 0.5
same "narrow: OK and Clear at their fixed places" \
  "$(drv rect Command3 | cut -d' ' -f1) $(drv rect Command2 | cut -d' ' -f1)" "128 192"

# Under Wine the window manager takes a few seconds to apply the two resizes when cases run
# side by side.
drv background double-click
check "a double-click on the background restores the default size" \
  wait_until 15 test "$(drv client)" = "377 334"
same "and its layout" "$(drv rect txtNote | cut -d' ' -f3,4) $(drv rect Command2 | cut -d' ' -f1,2)" \
  "365 273 314 304"

drv background right-click
check "a right-click on the background opens the about box" wait_until 5 box_up
same "its text" "$(drv box-text | tr -d '\r')" "caption: Vantoly
text: Vantoly v1.00"
check "the window is not top-most meanwhile" not started
drv box-ok
check "and top-most again after it" wait_until 5 started
finish
