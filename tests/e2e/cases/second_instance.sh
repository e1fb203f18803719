#!/usr/bin/env bash
# A second start while the program runs shows the running one's window, ends at once and leaves
# no trace. A runtime folder where
# the lock cannot be made (here a read-only file system) does not keep the program
# from starting: the lock goes to the user's cache, it says so once, and a second start is still
# refused.
source "$(dirname "$0")/../lib.sh"
desktop_start

vantoly_start
check "first instance in the tray" wait_until 5 tray_icons_are 1
first=$VANTOLY_PID
"$APP/vantoly" >"$WORK/second.log" 2>&1 &
second=$!
check "the second instance ends at once" wait_until 3 gone "$second"
check "it ends with code 0" test "$(exit_code_of "$second")" = 0
check "and the running one shows its window" wait_until 10 form_shown
sleep 1
check "the tray still holds exactly one icon" tray_icons_are 1
check "the first instance runs on" running "$first"
check "no settings file written" test ! -e "$INI"
kill "$first"; wait_until 5 gone "$first"

if ! mount -t tmpfs -o ro,size=16k,mode=0700 tmpfs "$XDG_RUNTIME_DIR" 2>/dev/null; then
  log "cannot mount a tmpfs here: the read-only runtime folder is skipped"; finish
fi
trap 'umount "$XDG_RUNTIME_DIR" 2>/dev/null; desktop_stop' EXIT
vantoly_start
check "read-only runtime folder: it starts" wait_until 5 tray_icons_are 1
check "and says where the lock went, once" \
  eval '[ "$(grep -c "the lock is in" "$WORK/vantoly.log")" = 1 ]'
"$APP/vantoly" >"$WORK/second.log" 2>&1 &
second=$!
check "a second start is still refused" wait_until 3 gone "$second"
check "the first runs on" running "$VANTOLY_PID"
finish
