#!/usr/bin/env bash
# A settings store that cannot be written (a read-only configuration folder): Vantoly starts,
# says once on standard error that the settings cannot be saved and where, keeps the note on
# screen, and loses nothing that was on disk. Root writes everywhere, so the program runs as an
# unprivileged user.
source "$(dirname "$0")/../lib.sh"
desktop_start
[ "$(id -u)" -eq 0 ] || { log "not root: cannot run as another user, skipped"; finish; }

store_settings "Note=kept on disk" "Title1=Mine"
chmod -R a+rX "$WORK" "$HOME"
# The configuration folder stays root's: readable, not writable, for the program's user.
mkdir -p "$XDG_CACHE_HOME"
chown -R 65534:65534 "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME"
cp "$INI" "$WORK/before.ini"
RUN_AS=65534 vantoly_start
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
check "nothing on disk was lost" cmp -s "$INI" "$WORK/before.ini"
finish
