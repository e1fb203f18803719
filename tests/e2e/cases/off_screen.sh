#!/usr/bin/env bash
# A position stored on a monitor that is gone, or with the title bar above the screen's top,
# brings the window up whole on the screen at the nearest place (1280 x 800, 15 twips a pixel);
# a position on the screen is kept exactly; a width no screen holds is the screen's, and stored
# so.
source "$(dirname "$0")/../lib.sh"
desktop_start

frame_on_screen() {
  local left top width height
  read -r left top width height < <(form_frame) || return 1
  [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ $((left + width)) -le 1280 ] &&
    [ $((top + height)) -le 800 ]
}

# stored xPos yPos wPos | saved by OK after the first show ("-": anywhere whole on the screen)
while read -r x y w saved; do
  store_settings "xPos=$x" "yPos=$y" "wPos=$w"
  vantoly_start
  check "$x,$y,$w: icon embedded" wait_until 5 tray_icons_are 1
  sleep 0.5
  check "$x,$y,$w: the window shows" show_by_tray_icon 10
  check "$x,$y,$w: whole on the screen" wait_until 3 frame_on_screen
  if [ "$saved" != - ]; then
    xdotool key alt+o
    wait_until 10 not form_shown
    same "$x,$y,$w: the place OK saves" "$(setting xPos) $(setting yPos) $(setting wPos)" "$saved"
  fi
  kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"
done <<'ROWS'
30000 15000 5790 -
1500 -300 5790 1500 0 5790
1500 1200 5790 1500 1200 5790
1500 1200 1e9 0 1200 19215
ROWS
finish
