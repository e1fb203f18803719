#!/usr/bin/env bash
# First start with an empty store: the day icon is in the tray within seconds, the window stays
# hidden, and nothing is written to the settings store.
source "$(dirname "$0")/../lib.sh"
desktop_start

vantoly_start "@2026-03-05 10:00:00"
check "icon embedded in the tray" wait_until 5 tray_icons_are 1
check "it shows the black 5" wait_until 5 icon_is "Black 5"
check "the program keeps running" running "$VANTOLY_PID"
check "the window is hidden" bash -c '! xdotool search --onlyvisible --name "^Vantoly$" >/dev/null'
check "no settings file written" test ! -e "$INI"
finish
