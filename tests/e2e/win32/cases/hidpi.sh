#!/usr/bin/env bash
# At 144 DPI (Windows' 150 %) a twip is a tenth of a pixel: the window and its controls are laid
# out from the screen's DPI, not from 96.
source "$(dirname "$0")/../lib.sh"
wine_desktop_start
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
/usr/lib/wine/wineserver64 -w

wine_vantoly_start
check "started" wait_until 20 started
check "shown" show_by_tray
same "the note box as created" "$(drv rect txtNote | cut -d' ' -f1,2)" "12 36"
same "the note selectors" "$(drv rect 'Option1(1)')" "132 12 122 26"
# Under Wine the window manager takes a few seconds to apply the two resizes when cases run
# side by side.
drv background double-click
check "the default size in pixels of 144 DPI" wait_until 15 test "$(drv outer)" = "579 540"
same "and its layout" "$(drv rect Command2 | cut -d' ' -f1,2)" "471 456"
finish
