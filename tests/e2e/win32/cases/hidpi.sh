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
# Each control's twips over ten, halves rounded up; the bottom row's height from the window's
# bottom, Clear and OK from its right edge and the note box's size are the layout's, from the
# client area of 566 x 501 pixels (5655 x 5010 twips) and the designed frame.
while read -r name fields place; do
  same "$name as created" "$(drv rect "$name" | cut -d' ' -f"$fields")" "$place"
done <<'TABLE'
Option1(0) 1-4 12 12 122 26
Option1(1) 1-4 132 12 122 26
Option1(2) 1-4 252 12 122 26
chkBlack 1,3,4 144 35 38
chkNote 1,3,4 108 32 38
Command3 1,3,4 376 86 38
Command2 1,3,4 472 86 38
Command1 1,3,4 12 86 38
txtNote 1,2 12 36
TABLE
# Under Wine the window manager takes a few seconds to apply the two resizes when cases run
# side by side.
drv background double-click
check "the default size in pixels of 144 DPI" wait_until 15 test "$(drv client)" = "566 501"
same "and its layout" "$(drv rect Command2 | cut -d' ' -f1,2)" "472 456"
finish
