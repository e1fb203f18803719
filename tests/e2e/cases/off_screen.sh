#!/usr/bin/env bash
# A position stored on a monitor that is gone (x 30000, y 15000 twips on a 1280 x 800 screen)
# brings the window up whole on the screen; a position on the screen is kept exactly.
source "$(dirname "$0")/../lib.sh"
desktop_start

frame_on_screen() {
  local left top width height
  read -r left top width height < <(form_frame) || return 1
  [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ $((left + width)) -le 1280 ] &&
    [ $((top + height)) -le 800 ]
}

store_settings "xPos=30000" "yPos=15000"
vantoly_start
check "icon embedded" wait_until 5 tray_icons_are 1
sleep 0.5
check "the window shows" show_by_tray_icon 10
check "whole on the screen" wait_until 3 frame_on_screen
kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"

store_settings "xPos=1500" "yPos=1200"
vantoly_start
check "icon embedded again" wait_until 5 tray_icons_are 1
sleep 0.5
check "the window shows again" show_by_tray_icon 10
xdotool key alt+o
wait_until 10 not form_shown
same "a position on the screen is kept exactly" "$(setting xPos) $(setting yPos)" "1500 1200"
finish
