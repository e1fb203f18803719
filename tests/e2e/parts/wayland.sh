#!/usr/bin/env bash
# A Wayland session as KDE Plasma or GNOME start it, headless: the compositor (COMPOSITOR=kwin or
# mutter) with XWayland, on a private session bus whose StatusNotifierWatcher is the tray. Vantoly
# starts with no platform chosen, as from the desktop's menu: it goes through XWayland, keeps its
# place over hide/show and a restart, shows its whole window under the compositor's title bar,
# stays above another active window and steps down for the about box. Forced onto native
# Wayland, where it cannot know its place, it leaves the stored position as it was and says why
# once.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/compositor.sh"
private_home
bus_start watcher

compositor_start
stacked_above() { # window window: the first is higher in the window manager's stacking
  local order
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  printf '%s\n' $order | awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" \
    '$1 == a { pa = NR } $1 == b { pb = NR } END { exit !(pa && pb && pa > pb) }'
}
client_height() { xwininfo -id "$(form_window)" | awk '/^  Height/ { print $2 }'; }
at_stored_place() { [ "$(form_frame | cut -d' ' -f1-2)" = "200 150" ]; }

store_settings "xPos=3000" "yPos=2250"
vantoly_start
check "the icon registers as a StatusNotifierItem" wait_until 10 sni_items_are 1
for cycle in 1 2 3; do
  activate
  check "show $cycle: the window comes up through XWayland" wait_until 5 form_shown
  check "show $cycle: where it was stored" wait_until 3 at_stored_place || log "at $(form_frame)"
  check "show $cycle: above others" form_above
  sleep 0.6
  activate
  wait_until 10 not form_shown
  sleep 0.6 # two activations this close are one double-click
done
same "hiding keeps the stored position" "$(setting xPos) $(setting yPos)" "3000 2250"

activate
check "shown again" wait_until 5 form_shown
# OK's bottom edge lies 329 pixels into the designed client area, whatever the title bar.
check "the bottom row is whole inside the window" eval '[ "$(client_height)" -ge 329 ]'
# The about box opens at the pointer, so the click comes before the other window is in the way.
click_form 3 3 3
check "a right-click on the background opens the about box" wait_until 3 box_open
check "the window steps down while it is open" wait_until 3 not form_above
xdotool key Return
check "the about box closes" wait_until 3 not box_open
check "the window is above again" wait_until 3 form_above

xmessage -geometry 300x200+700+450 "another program" >/dev/null 2>&1 &
PIDS+=($!)
wait_until 5 eval 'other=$(xdotool search --class xmessage | tail -n 1); [ -n "$other" ]'
xdotool windowactivate "$other" 2>/dev/null
check "another window becomes active" wait_until 3 eval '[ "$(xdotool getactivewindow)" = "$other" ]'
check "the note window stays above it" wait_until 3 stacked_above "$(form_window)" "$other"

kill "$VANTOLY_PID"
check "the session's end ends it" wait_until 5 gone "$VANTOLY_PID"
same "the position is stored unchanged" "$(setting xPos) $(setting yPos)" "3000 2250"
vantoly_start
wait_until 10 sni_items_are 1
activate
check "after a restart it comes up where it was" wait_until 5 eval 'form_shown && at_stored_place'
kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"; wait_until 5 sni_items_are 0

store_settings "xPos=3000" "yPos=2250"
QT_QPA_PLATFORM=wayland vantoly_start
check "native Wayland: the icon registers" wait_until 10 sni_items_are 1
activate
sleep 1
activate
sleep 0.5
kill "$VANTOLY_PID"
wait_until 5 gone "$VANTOLY_PID"
check "native Wayland: the session's end saved the settings" test -n "$(setting wPos)"
same "native Wayland: the stored position is left as it was" "$(setting xPos) $(setting yPos)" \
  "3000 2250"
same "native Wayland: it says once why it cannot place the window" \
  "$(grep -c 'cannot keep it on top' "$WORK/vantoly.log")" 1
finish
