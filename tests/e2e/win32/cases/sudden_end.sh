#!/usr/bin/env bash
# Typing that was never confirmed survives a sudden end (the process killed once the typing has
# reached the recovery journal, as a crash or a power cut would end it): at the next start the
# text is back in the registry before start-up reads it, and in the window.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

reg_set Note "saved"
wine_vantoly_start
check "started" wait_until 20 started
check "shown" show_by_tray
journal() { find "$WINEPREFIX/drive_c/users" -path '*Vantoly/journal' | head -n 1; }
journal_there() { [ -n "$(journal)" ]; }
keys ctrl+End space a n d space t y p e d
check "the typing reached the journal" \
  wait_until 15 eval 'journal_there && grep -qF "saved and typed" "$(journal)"'
kill -9 "$VANTOLY_PID"
wait "$VANTOLY_PID" 2>/dev/null
same "killed: the registry holds only what was saved" "$(reg_value Note)" "saved"
wine_vantoly_start
check "it starts again" wait_until 20 started
same "the typing is in the registry" "$(reg_value Note)" "saved and typed"
check "shown again" show_by_tray
same "and in the window" "$(control_text txtNote | tr -d '\r')" "saved and typed"
drv click Command1
check "Quit ends it" wait_until 10 gone "$VANTOLY_PID"
check "and leaves no journal" not journal_there
finish
