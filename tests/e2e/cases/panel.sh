#!/usr/bin/env bash
# The panel coming and going. Started before any tray host (a login race), Vantoly keeps
# running, says once on standard error that no notification area was found, and its icon
# appears when a host starts; when the host restarts the icon comes back. On an XEmbed tray and
# on a StatusNotifierItem host. A desktop that still has no notification area ten seconds on is
# told, in a desktop notification, how to reach the window.
source "$(dirname "$0")/../lib.sh"
NO_TRAY=1 desktop_start
bus_start

vantoly_start
sleep 3
check "XEmbed: without a tray host it keeps running" running "$VANTOLY_PID"
same "and says so once" "$(grep -c 'no notification area was found' "$WORK/vantoly.log")" 1
check "and on GNOME, what provides one" grep -q 'AppIndicator' "$WORK/vantoly.log"
tray_start
check "XEmbed: the icon appears when the tray starts" wait_until 8 tray_icons_are 1
tray_stop
tray_start
check "XEmbed: and comes back when the tray restarts" wait_until 8 tray_icons_are 1
kill "$VANTOLY_PID"
check "it ends as usual" wait_until 5 gone "$VANTOLY_PID"
tray_stop

vantoly_start
sleep 1
sni_host_start
check "StatusNotifierItem: the item registers when the host starts" wait_until 8 sni_items_are 1
check "and nothing is embedded" tray_icons_are 0
sni_host_stop
sni_host_start
check "StatusNotifierItem: and registers again when the host restarts" wait_until 8 sni_items_are 1
same "the message came once per start" "$(grep -c 'no notification area was found' "$WORK/vantoly.log")" 1
kill "$VANTOLY_PID"
wait_until 5 gone "$VANTOLY_PID"
sni_host_stop

vantoly_start
check "no notification area at all: the user is told how to reach it" wait_until 20 eval \
  'notifications | grep -q "^Vantoly | Vantoly is running, but this desktop shows no notification area"'
"$APP/vantoly" >/dev/null 2>&1
check "and starting it again shows the window" wait_until 5 form_shown
kill "$VANTOLY_PID"
wait_until 5 gone "$VANTOLY_PID"
finish
