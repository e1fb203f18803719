#!/usr/bin/env bash
# Each file call of a save failing in turn, with a full disk or an I/O error: OK says so in a box,
# and after a kill and a restart the settings file holds the note typed before the fault and
# every title, whole.
source "$(dirname "$0")/../parts/disk_faults.sh"

# The call, the error, and which matching call fails (0: every one). The second write is the new
# file's: the first is QSettings' lock file.
for fault in "open ENOSPC 0" "write ENOSPC 2" "write EIO 2" "fsync EIO 0" "rename EIO 0" \
  "rename ENOSPC 0"; do
  set -- $fault
  store_settings "Note=saved" "Title2=Work"
  export FAULT_NTH=$3
  start_with_faults "$1" "$2" "$SETTINGS_DIR" || continue
  xdotool key ctrl+End && xdotool type --delay 20 " $1 $2"
  sleep 1.5
  arm
  xdotool key alt+o
  check "$1 $2: OK says the notes could not be saved" wait_until 5 box_open
  dismiss_boxes
  kill_and_restart
  same "$1 $2: the note is whole" "$(setting Note)" "saved $1 $2"
  same "$1 $2: the title is kept" "$(setting Title2)" "Work"
  stop
done
finish
