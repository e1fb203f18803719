#!/usr/bin/env bash
# Logging off while a note is being typed: Windows asks, the program agrees, and before the
# session ends the typed text is saved and the icon removed.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

wine_vantoly_start
check "started" wait_until 20 started
check "shown" show_by_tray
drv set-text txtNote "typed, never saved"
same "the session may end" "$(drv end-session | tr -d '\r')" "query answered 1"
check "the program ends" wait_until 10 gone "$VANTOLY_PID"
same "with code 0" "$(exit_code_of "$VANTOLY_PID")" 0
same "the typed text was saved" "$(reg_value Note)" "typed, never saved"
check "the icon is gone" wait_until 5 wine_tray_icons_are 0
finish
