#!/usr/bin/env bash
# A screen reader, through AT-SPI, finds every control of the note window by a name it can
# speak: the note selectors by their titles, the note box, and the one-letter toggles by what
# they do.
source "$(dirname "$0")/../lib.sh"
desktop_start
bus_start
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
PIDS+=($!)
wait_until 10 bus_has org.a11y.Bus || { fail "no accessibility bus"; finish; }

store_settings "Title2=Shopping list for the weekend"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 vantoly_start
check "icon embedded" wait_until 5 tray_icons_are 1
sleep 0.5
check "the window shows" show_by_tray_icon 10
names() { /usr/bin/python3 "$E2E_DIR/atspi_names.py" 2>/dev/null; }
for expected in "radio button | Note 1" "radio button | Shopping list for the weekend" \
  "radio button | Help" "text | Note" "push button | Quit" "push button | Clear" \
  "push button | OK" "check box | Black icons" "check box | Note indicator"; do
  check "a screen reader finds: $expected" wait_until 5 eval 'names | grep -qxF "$expected"'
done
names | sed 's/^/    found: /'
finish
