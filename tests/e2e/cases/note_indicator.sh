#!/usr/bin/env bash
# A stored note with the indicator on shows the white day icon through the scratch icon, which
# is written beside the program, replacing a link planted there rather than writing through it;
# with the indicator off the folder's icon shows and nothing is written.
source "$(dirname "$0")/../lib.sh"
desktop_start
prepare_icon_refs # slow on a busy machine: not inside a wait

store_settings "Note=Buy milk" "Indicator=1" "Black=1"
# Someone planted a link where the scratch icon goes.
echo mine >"$WORK/victim" && ln -s "$WORK/victim" "$APP/tmp.ico"
vantoly_start "@2026-03-17 08:00:00"
check "icon embedded" wait_until 5 tray_icons_are 1
check "the scratch icon is written beside the program" \
  wait_until 3 eval '[ -f "$APP/tmp.ico" ] && [ ! -L "$APP/tmp.ico" ]'
same "the planted link's target is untouched" "$(cat "$WORK/victim")" mine
check "the scratch icon is the white 17" cmp -s "$APP/tmp.ico" "$APP/White/17.ico"
check "the tray shows the white 17" wait_until 20 icon_is "White 17"
kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"; exit_code_of "$VANTOLY_PID" >/dev/null

rm -f "$APP/tmp.ico"
store_settings "Note=Buy milk" "Indicator=0" "Black=1"
vantoly_start "@2026-03-17 08:00:00"
check "indicator off: icon embedded" wait_until 5 tray_icons_are 1
check "indicator off: the tray shows the black 17" wait_until 20 icon_is "Black 17"
check "indicator off: no scratch icon" test ! -e "$APP/tmp.ico"
kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"; exit_code_of "$VANTOLY_PID" >/dev/null

# An installation the user cannot write to keeps the scratch icon in the user's cache. Root
# writes everywhere, so this part runs as an unprivileged user.
store_settings "Note=Buy milk" "Indicator=1"
rm -f "$APP/tmp.ico"
chmod -R a+rX "$APP" && chmod a-w "$APP"
chmod a+x "$WORK"
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$HOME" "$XDG_RUNTIME_DIR"
  RUN_AS=65534
fi
today=$(date +%-d)
vantoly_start
check "read-only: icon embedded" wait_until 5 tray_icons_are 1
check "read-only: the scratch icon is in the user's cache" \
  wait_until 3 test -e "$XDG_CACHE_HOME/Vantoly/tmp.ico"
check "read-only: nothing written beside the program" test ! -e "$APP/tmp.ico"
check "read-only: the tray shows today's white icon" wait_until 20 icon_is "White $today"
kill "$VANTOLY_PID"; wait_until 5 gone "$VANTOLY_PID"
RUN_AS=
chmod u+w "$APP"
finish
