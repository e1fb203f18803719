#!/usr/bin/env bash
# When Explorer restarts it loses every tray icon and announces itself with "TaskbarCreated":
# the icon comes back. A close request from the window system only hides the window.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start

wine_vantoly_start
check "started" wait_until 20 started
check "one icon" wait_until 5 wine_tray_icons_are 1
drv delete-icon
check "the shell lost it" wait_until 5 wine_tray_icons_are 0
drv taskbar-created
check "it comes back" wait_until 5 wine_tray_icons_are 1

check "shown" show_by_tray
drv close
check "a close request hides the window" wait_until 5 hidden
check "and the program runs on" running "$VANTOLY_PID"
finish
