#!/usr/bin/env bash
# A settings store on a full file system (a small tmpfs): Vantoly starts, says once on standard
# error that the settings cannot be saved and where, keeps the note on screen, and the file on
# disk stays whole, not truncated by a write that ran out of room.
source "$(dirname "$0")/../lib.sh"
desktop_start

store_settings "Note=kept on disk" "Title1=Mine"
conf=$(dirname "$INI")
mv "$conf" "$WORK/conf.saved" && mkdir "$conf"
if ! mount -t tmpfs -o size=64k,mode=0700 tmpfs "$conf" 2>/dev/null; then
  log "cannot mount a tmpfs here: skipped"; mv -T "$WORK/conf.saved" "$conf"; finish
fi
unmount() { umount "$conf" 2>/dev/null; }
cp "$WORK/conf.saved/Vantoly.ini" "$INI"
dd if=/dev/zero of="$conf/filler" bs=4k 2>/dev/null
cp "$INI" "$WORK/before.ini"

vantoly_start
check "it starts" wait_until 5 tray_icons_are 1
sleep 0.5
click_tray_icon --repeat 2 --delay 90 1
check "the window shows" wait_until 3 form_shown
xdotool key ctrl+End && xdotool type --delay 20 " and more"
xdotool key alt+o
check "OK still hides the window" wait_until 3 not form_shown
click_tray_icon --repeat 2 --delay 90 1
wait_until 3 form_shown
same "the note stays on screen" "$(note_text)" "kept on disk and more"
xdotool key alt+q
check "Quit still ends it" wait_until 5 gone "$VANTOLY_PID"
same "standard error says so once" \
  "$(grep -c 'the settings could not be saved' "$WORK/vantoly.log")" 1
check "and says where" grep -q "$INI" "$WORK/vantoly.log"
check "the file on disk is whole" cmp -s "$INI" "$WORK/before.ini"
check "and no temporary file was left" test "$(ls -A "$conf" | sort | tr '\n' ' ')" = "Vantoly.ini filler "
unmount
finish
