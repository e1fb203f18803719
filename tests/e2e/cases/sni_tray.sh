#!/usr/bin/env bash
# On a StatusNotifierItem host (KDE Plasma, GNOME with AppIndicator, Wayland sessions), which
# reports a single activation and never a double-click: the icon registers as an item, its
# tooltip shows today's date, one activation toggles the window and a quick pair of activations
# (a double-click) toggles it only once, the context request shows the note as a notification,
# and Quit takes the item away. Under Russian and Japanese locales the tooltip and a note in any
# script reach the desktop whole.
source "$(dirname "$0")/../lib.sh"
desktop_start
bus_start watcher

activate() { sni_call Activate int32:0 int32:0; }
store_settings "Note=Dentist @10:30"
vantoly_start "@2026-03-05 09:15:00"
check "the icon registers as a StatusNotifierItem" wait_until 5 sni_items_are 1
check "and is not embedded in the XEmbed tray" tray_icons_are 0
check "the tooltip shows the date of the program's clock" \
  wait_until 3 eval '[ "$(sni_tooltip)" = "Thursday, March 5, 2026" ]'

activate
check "an activation shows the window" wait_until 10 form_shown
sleep 0.6
activate
check "another hides it the way OK does" wait_until 10 not form_shown
same "OK saved the note" "$(setting Note)" "Dentist @10:30"

sleep 0.6
activate && activate
check "a double-click shows the window" wait_until 10 form_shown
sleep 1
check "and toggles it only once" form_shown

sni_call ContextMenu int32:0 int32:0
check "the context request sends the note as a notification" \
  wait_until 3 notified "Alarm: 10:30 | Dentist @10:30"

xdotool key alt+q
check "Quit ends the program" wait_until 5 gone "$VANTOLY_PID"
same "Quit exits with 0" "$(exit_code_of "$VANTOLY_PID")" 0
check "Quit takes the item away" wait_until 3 sni_items_are 0

store_settings "Note=Позвонить маме 😀 Ελληνικά שלום"
# LANG=C (a container, a minimal session) included: the note is UTF-8 whatever the locale.
for run in "ru_RU.UTF-8 Thursday, март 5, 2026" "ja_JP.UTF-8 Thursday, 3月 5, 2026" \
  "C Thursday, March 5, 2026"; do
  locale=${run%% *} tip=${run#* }
  LC_ALL=$locale LANG=$locale vantoly_start "@2026-03-05 09:15:00"
  check "$locale: the item registers" wait_until 5 sni_items_are 1
  check "$locale: the tooltip is whole" wait_until 3 eval '[ "$(sni_tooltip)" = "$tip" ]' ||
    log "tooltip: $(sni_tooltip)"
  sent=$(notifications | grep -cxF "Reminder | Позвонить маме 😀 Ελληνικά שלום")
  sni_call ContextMenu int32:0 int32:0
  check "$locale: the note reaches the notification whole" wait_until 3 eval \
    '[ "$(notifications | grep -cxF "Reminder | Позвонить маме 😀 Ελληνικά שלום")" -gt "$sent" ]'
  kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"; wait_until 3 sni_items_are 0
done
finish
