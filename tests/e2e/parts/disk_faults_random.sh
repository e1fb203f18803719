# Sourced by the random disk fault cases (SEEDS names theirs): a session of typing, OK, a note
# switch, more typing and Quit (answered No when it asks) with 7 % of the settings' and the
# journal's file calls failing, then a kill; after a restart on a sound disk every text typed is
# in its note.
source "$(dirname "$0")/../parts/disk_faults.sh"

export FAULT_RATE=7
for seed in $SEEDS; do
  export FAULT_SEED=$seed
  rm -rf "$SETTINGS_DIR" "$STATE_DIR"
  store_settings "Note=saved"
  arm
  start_with_faults "open,write,fsync,rename,unlink" ENOSPC "$SETTINGS_DIR:$STATE_DIR" || continue
  xdotool key ctrl+End && xdotool type --delay 20 " one$seed"
  xdotool key alt+o
  dismiss_boxes
  show_by_tray_icon 10
  click_form $NOTE2 1
  dismiss_boxes
  xdotool type --delay 20 "two$seed"
  wait_until 10 typed_is_kept "two$seed" || fail "seed $seed: the typing was never kept"
  dismiss_boxes 0
  form_shown || show_by_tray_icon 10
  xdotool key alt+q
  dismiss_boxes
  kill_and_restart
  same "seed $seed: note 1" "$(setting Note)" "saved one$seed"
  same "seed $seed: note 2" "$(setting Note2)" "two$seed"
  stop
done
log "$(cat "$WORK"/faults-*.log 2>/dev/null | grep -c .) calls failed"
finish
