#!/usr/bin/env bash
# KDE Plasma at 200 % with X11 applications scaling themselves. KWin then reports half the title
# bar it draws; the window still comes back exactly where it was left, over hide and show, over
# restarts, and after the user moved it.
CASE_NAME=$(basename "$0" .sh)
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../parts/compositor.sh"
private_home
bus_start watcher
COMPOSITOR=kwin SCALE=2 compositor_start

client_at() { # where the client area is on the screen, in X pixels: "x y"
  xwininfo -id "$(form_window)" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } END { print x, y }'
}
at() { [ "$(client_at)" = "$1" ]; }
show() {
  activate
  wait_until 5 form_shown
}
hide_and_show() {
  sleep 0.6 # two activations this close are one double-click
  activate
  wait_until 10 not form_shown
  sleep 0.6
  show
}
restart() {
  kill "$VANTOLY_PID"
  wait_until 5 gone "$VANTOLY_PID" && wait_until 5 sni_items_are 0
  vantoly_start
  wait_until 10 sni_items_are 1
  show
}

store_settings "xPos=3000" "yPos=3000"
vantoly_start
check "the icon registers" wait_until 10 sni_items_are 1
show
check "the window comes up" form_shown
# KWin places the frame's corner at the stored 200 x 200 (400 x 400 X pixels).
check "at the stored left edge, below the title bar" eval '[ "$(client_at | cut -d" " -f1)" = 400 ]'
placed=$(client_at)
for round in 1 2; do
  hide_and_show
  check "hide and show $round: it has not moved" wait_until 3 at "$placed" || log "at $(client_at)"
  restart
  check "start $((round + 1)): it has not moved" wait_until 3 at "$placed" || log "at $(client_at)"
done
same "the stored position is unchanged" "$(setting xPos) $(setting yPos)" "3000 3000"

xdotool windowmove "$(form_window)" 900 700
check "the user moves it" wait_until 3 eval '[ "$(client_at)" != "$placed" ]'
moved=$(client_at)
restart
check "after a restart it is where the user left it" wait_until 3 at "$moved" ||
  log "at $(client_at), left at $moved"
restart
check "and stays there" wait_until 3 at "$moved" || log "at $(client_at)"
finish
