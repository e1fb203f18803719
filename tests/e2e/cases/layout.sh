#!/usr/bin/env bash
# The layout through the real window: after a resize the OK and Clear buttons stand where the
# outer size puts them (found by clicking there), a double-click on the background restores the
# default size of 5790 x 5400 twips outside, 5655 x 5010 inside (377 x 334 pixels at 96 dpi), and a right-click on the
# background opens the about box, with the window out of top-most while it is open.
source "$(dirname "$0")/../lib.sh"
desktop_start

vantoly_start
check "icon embedded" wait_until 5 tray_icons_are 1
sleep 0.5
show() { show_by_tray_icon 10; }
check "the window shows" show

# Resizes the window to an outer width and height in pixels.
resize_outer() { # width height
  local size w h
  size=$(form_outer_size) || return 1
  read -r w h <<<"$size"
  eval "$(xdotool getwindowgeometry --shell "$(form_window)")"
  xdotool windowsize "$(form_window)" $((WIDTH + $1 - w)) $((HEIGHT + $2 - h))
  WANTED="$1 $2"
  wait_until 3 eval '[ "$(form_outer_size)" = "$WANTED" ]'
}

# Wide: OK 1080 twips (72 px) and Clear 2040 (136 px) from the right edge, the bottom row 840
# (56 px) from the bottom; the button centres are 28 and 12 pixels in.
check "resized to 500 x 420" resize_outer 500 420
xdotool type --delay 20 "wide"
click_form $((500 - 136 + 28)) $((420 - 56 + 12)) 1
xdotool type --delay 20 "kept wide"
same "Clear is right-anchored" "$(note_text)" "kept wide"
click_form $((500 - 72 + 28)) $((420 - 56 + 12)) 1
check "OK is right-anchored" wait_until 10 not form_shown
same "OK saved the note" "$(setting Note)" "kept wide"

# Narrow (4200 twips or less): OK at 2880 (192 px) and Clear at 1920 (128 px) from the left.
show
check "resized to 270 x 300" resize_outer 270 300
click_form $((128 + 28)) $((300 - 56 + 12)) 1
xdotool type --delay 20 "kept narrow"
same "Clear stands at its fixed place" "$(note_text)" "kept narrow"
click_form $((192 + 28)) $((300 - 56 + 12)) 1
check "OK stands at its fixed place" wait_until 10 not form_shown
same "OK saved the narrow note" "$(setting Note)" "kept narrow"

show
click_form 3 3 --repeat 2 --delay 90 1
client_size() { eval "$(xdotool getwindowgeometry --shell "$(form_window)")"; echo "$WIDTH $HEIGHT"; }
check "a double-click on the background restores the default size" \
  wait_until 3 eval '[ "$(client_size)" = "377 334" ]'
click_form $((386 - 72 + 28)) $((360 - 56 + 12)) 1
check "and lays it out again" wait_until 10 not form_shown
same "the default size is saved" "$(setting wPos) $(setting hPos)" "5790 5400"

show
check "the window is top-most" form_above
click_form 3 3 3
check "a right-click on the background opens the about box" wait_until 3 box_open
same "the about box is the program's" "$(xprop -id "$(box_window)" WM_NAME | sed 's/.*= //')" \
  '"Vantoly"'
check "the window is not top-most while the box is open" wait_until 2 not form_above
xdotool key Return
check "the about box closes" wait_until 3 not box_open
check "the window is top-most again" wait_until 2 form_above
click_form 200 100 3
sleep 0.5
check "a right-click on the note opens no about box" not box_open
xdotool key Escape
kill "$VANTOLY_PID"
wait_until 5 gone "$VANTOLY_PID"
finish
