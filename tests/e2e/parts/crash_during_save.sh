#!/usr/bin/env bash
# Killed outright (SIGKILL) at any moment while it saves, Vantoly leaves its settings file
# either as it was or as it was being written, never empty or half-written, and the next start
# reads it. Each try types into a large note, asks for a save (SIGTERM) and kills the program a
# few milliseconds later, at a different moment each time: try N waits N * 0.6 ms. The hundred
# tries run as four cases (TRY_FIRST to TRY_LAST), each on a display of its own.
source "$(dirname "$0")/../lib.sh"
desktop_start

# About 100 KB in 1250 lines, as written in the file (line breaks escaped).
old="old$(awk 'BEGIN { line = sprintf("%80s", ""); gsub(/ /, "a", line)
                      for (i = 0; i < 1250; i++) printf "\\r\\n%s", line }')"
store_settings "Note=$old" "Title1=Kept"
tries=0 whole=0 new=0
for try in $(seq "${TRY_FIRST:-1}" "${TRY_LAST:-100}"); do
  tries=$((tries + 1))
  vantoly_start
  wait_until 5 tray_icons_are 1 || { fail "try $try: icon not embedded"; continue; }
  sleep 0.5
  show_by_tray_icon 8 || { fail "try $try: window not shown"; continue; }
  xdotool type "x"
  kill -TERM "$VANTOLY_PID"
  sleep "$(awk -v t="$try" 'BEGIN { print t * 0.0006 }')" # 0.6 to 60 ms
  kill -KILL "$VANTOLY_PID" 2>/dev/null
  wait "$VANTOLY_PID" 2>/dev/null
  note=$(setting Note)
  case "$note" in
    "$old") whole=$((whole + 1)) ;;
    "x$old" | "${old}x") whole=$((whole + 1)) new=$((new + 1)) ;;
    *) fail "try $try: the note is neither the old nor the new one (${#note} characters)" ;;
  esac
  [ "$(setting Title1)" = Kept ] || fail "try $try: another key was lost"
  store_settings "Note=$old" "Title1=Kept"
done
same "every try left a whole settings file" "$whole" "$tries"
log "$new of $tries kills came after the new note was in place, the rest before"
vantoly_start
check "the next start reads it" wait_until 5 tray_icons_are 1
kill "$VANTOLY_PID"
wait_until 5 gone "$VANTOLY_PID"
finish
