# Sourced by the disk fault cases: the program on a disk that fails on purpose (faults/faults.c,
# preloaded), armed by a file, and what a user must still have after a kill and a restart.
source "$(dirname "$0")/../lib.sh"
desktop_start

gcc -shared -fPIC -O1 -o "$WORK/faults.so" "$E2E_DIR/faults/faults.c" -ldl ||
  { fail "the fault shim did not build"; finish; }
SETTINGS_DIR=$(dirname "$INI")
STATE_DIR="$HOME/.local/state/Vantoly"
NOTE1="30 16" NOTE2="110 16"
export FAULT_ARM="$WORK/arm" FAULT_LOG="$WORK/faults.log"
FAULTS_FAILED=0

# Starts the program with the faults (calls, errno, folders; FAULT_NTH and FAULT_RATE as set).
start_with_faults() { # calls errno dirs
  export FAULT_CALLS=$1 FAULT_ERRNO=$2 FAULT_DIRS=$3
  VANTOLY_PRELOAD="$WORK/faults.so" vantoly_start
  wait_until 10 tray_icons_are 1 || { fail "$1 $2: no icon"; return 1; }
  sleep 0.5
  show_by_tray_icon 10 || { fail "$1 $2: the window did not show"; return 1; }
}
arm() { touch "$FAULT_ARM"; }
disarm() { rm -f "$FAULT_ARM"; }
# Answers every box the program shows, as a user who reads and presses Enter.
dismiss_boxes() {
  while wait_until "${1:-1}" box_open; do xdotool key Return; sleep 0.3; done
}
typed_is_kept() { # text: in the file, or in the journal
  grep -qsF -- "$1" "$INI" || grep -qsF -- "$1" "$(journal_file)"
}
# Killed outright, then started on a sound disk: the settings file must parse and hold each text.
kill_and_restart() {
  kill -9 "$VANTOLY_PID"; wait "$VANTOLY_PID" 2>/dev/null
  # What the killed program left, for a look when a check fails.
  KILLS=$((${KILLS:-0} + 1))
  cp "$WORK/vantoly.log" "$WORK/killed-$KILLS.log"
  cp "$INI" "$WORK/killed-$KILLS.ini" 2>/dev/null
  cp "$(journal_file)" "$WORK/killed-$KILLS.journal" 2>/dev/null
  [ -f "$FAULT_LOG" ] && mv "$FAULT_LOG" "$WORK/faults-$KILLS.log"
  disarm
  FAULT_CALLS= vantoly_start
  wait_until 10 tray_icons_are 1 || fail "no icon after the restart"
}
stop() { kill "$VANTOLY_PID"; wait_until 10 gone "$VANTOLY_PID"; }
