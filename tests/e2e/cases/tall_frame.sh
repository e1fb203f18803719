#!/usr/bin/env bash
# Under a window manager whose title bar is taller than the one the window was designed with
# (37 pixels, as KWin's and GNOME's; the design assumed about 26), the bottom row (Quit, N, B,
# Clear, OK) stands whole inside the window, and the stored size keeps its meaning.
source "$(dirname "$0")/../lib.sh"
mkdir -p /tmp/vantoly-openbox
config=$(mktemp /tmp/vantoly-openbox/rc.XXXXXX.xml)
sed 's|<size>8</size>|<size>20</size>|' /etc/xdg/openbox/rc.xml >"$config"
# Kept to the end: openbox may read it only after desktop_start has returned.
OPENBOX_ARGS="--config-file $config" desktop_start

frame_top() { xprop -id "$(form_window)" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g' | awk '{ print $3 }'; }
client_height() { eval "$(xdotool getwindowgeometry --shell "$(form_window)")"; echo "$HEIGHT"; }

store_settings "hPos=5400" "wPos=5790"
vantoly_start
check "icon embedded" wait_until 5 tray_icons_are 1
sleep 0.5
check "the window shows" show_by_tray_icon 10
check "its title bar is tall" wait_until 3 eval '[ "$(frame_top)" -ge 35 ]'
log "title bar $(frame_top) px, client $(client_height) px high"
# OK's bottom edge: 5400 - 840 + 375 twips from the top of the designed outer size, less its
# 390-twip frame: 329 pixels into the client area.
check "the bottom row is whole inside the window" eval '[ "$(client_height)" -ge 329 ]'
click_form $((386 - 9 - 72 + 28)) 320 1
check "and OK is where it shows" wait_until 10 not form_shown
same "the stored size is the one it had" "$(setting wPos) $(setting hPos)" "5790 5400"
rm -f "$config"
finish
