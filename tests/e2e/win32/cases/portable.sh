#!/usr/bin/env bash
# With a Vantoly.ini beside vantoly.exe the program is portable: it reads the file the Linux
# program wrote (line breaks, any script, a leading "@", a quoted title) exactly, keeps its
# settings there and its journal beside it, never in the registry. The file replaced from outside
# while the window is hidden is picked up, and an alarm written that way rings; a note changed
# both here and in the file keeps both texts.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

INI="$APP/Vantoly.ini"
replace_ini() { # the file's text: written beside it and renamed over it, as sync tools do
  printf '%s' "$1" >"$APP/.sync.tmp" && mv "$APP/.sync.tmp" "$INI"
}
ini_has() { tr -d '\r' <"$INI" | grep -qxF -- "$1"; }
# As QSettings writes it on Linux.
replace_ini '[Settings]
Note=Line one\r\nLine two Молоко 😀 שלום
Note2=@@home
Title1="Me, you"
'
wine_vantoly_start "@2026-03-05 09:04:00"
check "started" wait_until 30 started
replace_ini "$(sed 's/^Note2=.*/Note2=@@9:05 call home/' "$INI")
"
check "an alarm written into the file from outside rings" wait_until 90 shown
same "its text selected" "$(drv selection)" "@9:05"
same "a leading @ reads exactly" "$(control_text txtNote)" "@9:05 call home"
same "a quoted title too" "$(control_text 'Option1(0)')" "Me, you"

drv set-text txtNote "typed here"
keys ctrl+End space a n d space m o r e
journal_beside() { ls "$APP"/journal.* 2>/dev/null | head -n 1; }
check "the journal is beside the file" wait_until 15 eval '[ -n "$(journal_beside)" ]'
replace_ini "$(sed 's/^Note2=.*/Note2=changed there/' "$INI")
"
drv click Command2
check "OK hides the window" wait_until 5 hidden
check "a note changed on both sides keeps both" ini_has \
  'Note2=typed here and more\r\n-------- changed elsewhere too --------\r\nchanged there'
check "the file keeps the Linux program's other values" ini_has 'Title1="Me, you"'
check "nothing went to the registry" not eval '"$WINE" reg query "$SETTINGS_KEY" >/dev/null 2>&1'
check "shown again" show_by_tray
drv click 'Option1(0)'
same "a note from Linux reads exactly" "$(control_text txtNote | tr -d '\r')" "Line one
Line two Молоко 😀 שלום"
drv click Command1
check "Quit ends it" wait_until 10 gone "$VANTOLY_PID"
same "with code 0" "$(exit_code_of "$VANTOLY_PID")" 0
check "and leaves no journal" not eval '[ -n "$(journal_beside)" ]'
finish
