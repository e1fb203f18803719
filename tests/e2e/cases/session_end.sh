#!/usr/bin/env bash
# The session ending (SIGTERM, SIGHUP, SIGINT) quits as the Quit button does: the settings are
# saved, the icon is removed and the program ends with code 0.
source "$(dirname "$0")/../lib.sh"
desktop_start

store_settings "Note=Call the dentist @9:30" "Black=0" "Indicator=0" "Title2=Work"
for sig in TERM HUP INT; do
  vantoly_start
  check "SIG$sig: icon embedded" wait_until 5 tray_icons_are 1
  rm -f "$INI.saved"; cp "$INI" "$INI.saved"
  kill -s "$sig" "$VANTOLY_PID"
  check "SIG$sig: the program ends" wait_until 5 gone "$VANTOLY_PID"
  check "SIG$sig: exit code 0" test "$(exit_code_of "$VANTOLY_PID")" = 0
  check "SIG$sig: no icon left in the tray" wait_until 3 tray_icons_are 0
  check "SIG$sig: the note is saved" test "$(setting Note)" = "Call the dentist @9:30"
  check "SIG$sig: the options are saved" test "$(setting Black)/$(setting Indicator)" = "0/0"
  check "SIG$sig: geometry is saved" test -n "$(setting xPos)" -a -n "$(setting wPos)"
  check "SIG$sig: titles are kept" test "$(setting Title2)" = "Work"
done
# The saved geometry restores the same window: a second save writes the same numbers.
first=$(grep -E '^(x|y|w|h)Pos=' "$INI.saved")
check "geometry is stable across restarts" test "$first" = "$(grep -E '^(x|y|w|h)Pos=' "$INI")"
VANTOLY_PID=
finish
