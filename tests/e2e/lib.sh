# End-to-end harness: a private desktop (Xvfb, openbox, trayer as the XEmbed tray host) on its
# own display, a private copy of the installed program (executable and data files) and private
# HOME and XDG directories, and checks of what a user would see from outside.
# Sourced by each case; the case calls desktop_start first. Needs: BUILD (the build folder).
set -u

: "${BUILD:?BUILD must name the build folder}"
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketimeMT.so.1 2>/dev/null | head -n 1)
CASE_NAME=${CASE_NAME:-$(basename "$0" .sh)}
FAILURES=0
PIDS=()

log() { printf '  [%s] %s\n' "$CASE_NAME" "$*"; }
pass() { log "ok: $*"; }
fail() { log "FAIL: $*"; FAILURES=$((FAILURES + 1)); }
not() { ! "$@"; }
check() { # description command...
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

same() { # description actual expected
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: got [$2], wanted [$3]"; fi
}

# Polls a command until it succeeds, for at most the given seconds.
wait_until() { # seconds command...
  local deadline=$(( $(date +%s%N) + $1 * 1000000000 )); shift
  until "$@"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

desktop_start() {
  private_home

  # Xvfb picks a free display itself, so cases never collide with each other or with a
  # display left behind by something else. A server that was just ending on the same number
  # can still remove the new one's socket, so a display that stops answering is started anew.
  local attempt
  for attempt in 1 2 3; do
    if display_start; then
      if [ -n "${NO_TRAY:-}" ] || tray_start quiet; then
        return 0
      fi
    fi
    log "the private display went away (attempt $attempt); starting another"
    kill "${TRAYER_PID:-}" "${OPENBOX_PID:-}" "${XVFB_PID:-}" 2>/dev/null
    wait "${TRAYER_PID:-}" "${OPENBOX_PID:-}" "${XVFB_PID:-}" 2>/dev/null
  done
  fail "no private display with a tray could be started"
  exit 1
}

# The case's own folders, HOME and XDG directories, and its copy of the installed program.
private_home() {
  WORK=$(mktemp -d "/tmp/vantoly-e2e-$CASE_NAME.XXXXXX")
  export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_CACHE_HOME="$WORK/home/.cache"
  export XDG_DATA_HOME="$WORK/home/.local/share" XDG_RUNTIME_DIR="$WORK/run"
  unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
  export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANG=C.UTF-8
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  APP="$WORK/app"
  mkdir -p "$APP"
  cp "$BUILD/vantoly" "$BUILD/libvantoly_sound.so" "$APP/" && cp -r "$BUILD/Black" "$BUILD/White" "$BUILD/alarm.wav" "$APP/"
  INI="$XDG_CONFIG_HOME/Vantoly/Vantoly.ini"
  trap desktop_stop EXIT
}

display_start() {
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -dpi 96 -nolisten tcp 3>"$WORK/display" \
    >>"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  PIDS+=($XVFB_PID)
  wait_until 10 grep -qs . "$WORK/display" || return 1
  export DISPLAY=":$(cat "$WORK/display")"
  wait_until 10 xdpyinfo >/dev/null 2>&1 || return 1
  # shellcheck disable=SC2086 # OPENBOX_ARGS: extra options, e.g. a configuration of the case's
  openbox ${OPENBOX_ARGS:-} >>"$WORK/openbox.log" 2>&1 &
  OPENBOX_PID=$!
  PIDS+=($OPENBOX_PID)
  sleep 0.3
  xdpyinfo >/dev/null 2>&1
}

# The XEmbed tray host; it can be stopped and started again, as a panel that restarts.
tray_start() {
  # shellcheck disable=SC2086 # TRAYER_ARGS: extra options, e.g. a dark panel's tint
  trayer --edge top --align right --widthtype request --heighttype pixel --height 24 \
    ${TRAYER_ARGS:-} >>"$WORK/trayer.log" 2>&1 &
  TRAYER_PID=$!
  PIDS+=($TRAYER_PID)
  wait_until 10 tray_panel >/dev/null && return 0
  [ "${1:-}" = quiet ] || fail "trayer did not start"
  return 1
}
tray_stop() { kill "$TRAYER_PID" 2>/dev/null; wait "$TRAYER_PID" 2>/dev/null; wait_until 5 not tray_panel >/dev/null; }

desktop_stop() {
  [ -n "${VANTOLY_PID:-}" ] && kill -9 "$VANTOLY_PID" 2>/dev/null
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  [ "$FAILURES" -eq 0 ] && [ -n "${WORK:-}" ] && rm -rf "$WORK"
  [ "$FAILURES" -eq 0 ] || log "kept $WORK for a look"
}

tray_panel() { xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ { print $1; exit }' | grep .; }

# Windows of Vantoly embedded in the tray host.
tray_icons() {
  local panel
  panel=$(tray_panel) || { echo 0; return; }
  xwininfo -id "$panel" -tree | grep -c '("vantoly" "Vantoly")' || true
}
tray_icons_are() { [ "$(tray_icons)" -eq "$1" ]; }
tray_icon_window() {
  local panel
  panel=$(tray_panel) || return 1
  xwininfo -id "$panel" -tree | awk '/\("vantoly" "Vantoly"\)/ { print $1; exit }' | grep .
}

# Starts the program. With a first argument like "@2026-03-05 23:59:50" the clock starts there
# (add " x20" to make it run twenty times as fast, timers included); with "clock" it runs on the
# clock that clock_set sets, even while the program runs.
vantoly_start() { # [faketime | clock]
  local as=()
  [ -n "${RUN_AS:-}" ] && as=(setpriv --reuid="$RUN_AS" --regid="$RUN_AS" --clear-groups)
  if [ $# -gt 0 ] && [ -n "$1" ]; then
    case "$1" in
      clock) LD_PRELOAD="$FAKETIME_LIB" FAKETIME_TIMESTAMP_FILE="$WORK/clock" FAKETIME_NO_CACHE=1 \
               FAKETIME_DONT_FAKE_MONOTONIC=1 "${as[@]}" "$APP/vantoly" >"$WORK/vantoly.log" 2>&1 & ;;
      *" x"*) LD_PRELOAD="$FAKETIME_LIB" FAKETIME="$1" "${as[@]}" "$APP/vantoly" >"$WORK/vantoly.log" 2>&1 & ;;
      *) LD_PRELOAD="$FAKETIME_LIB" FAKETIME="$1" FAKETIME_DONT_FAKE_MONOTONIC=1 \
           "${as[@]}" "$APP/vantoly" >"$WORK/vantoly.log" 2>&1 & ;;
    esac
  else
    "${as[@]}" "$APP/vantoly" >"$WORK/vantoly.log" 2>&1 &
  fi
  VANTOLY_PID=$!
}

# Sets the clock of a program started with "clock": a time as date(1) reads it, with its zone
# offset where the local time occurs twice ("2026-10-25 02:29:50 +0100"). It runs on from there.
clock_set() { # time
  local offset=$(( $(date -d "$1" +%s) - $(date +%s) ))
  if [ "$offset" -ge 0 ]; then echo "+${offset}s"; else echo "${offset}s"; fi >"$WORK/clock"
}

running() { kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" | cut -c1)" != Z ]; }
gone() { ! running "$1"; }
exit_code_of() { # pid: waits for it and prints its exit code
  local code=0
  wait "$1" || code=$?
  echo "$code"
}

# Writes settings as a previous run would have left them.
store_settings() { # key=value lines
  mkdir -p "$(dirname "$INI")"
  { echo "[Settings]"; printf '%s\n' "$@"; } >"$INI"
}
setting() { # key: prints the stored value
  awk -F= -v k="$1" '$1 == k { sub(/^[^=]*=/, ""); print; exit }' "$INI" 2>/dev/null
}

# Which day icon the tray shows: the day (and set) whose picture, on the panel's background, is
# closest to a screenshot of the embedded icon. Prints e.g. "Black 5".
shown_day_icon() {
  local win shot refs best="" best_score="" score
  win=$(tray_icon_window) || return 1
  shot="$WORK/icon.png"
  import -window "$win" "$shot" 2>/dev/null || return 1
  refs=$(icon_refs "$(convert "$shot" -format '%[pixel:p{0,0}]' info:)")
  for ref in "$refs"/*.png; do
    score=$(compare -metric RMSE "$shot" "$ref" null: 2>&1 | awk '{ print $1 }')
    if [ -z "$best_score" ] || awk -v a="$score" -v b="$best_score" 'BEGIN { exit !(a < b) }'; then
      best_score=$score best=$(basename "$ref" .png)
    fi
  done
  echo "$best"
}

# The 22-pixel image of every day icon on a background colour, made once per colour.
icon_refs() { # colour: prints the folder
  local refs="$WORK/refs/$(echo "$1" | tr -c 'a-z0-9' _)"
  if [ ! -d "$refs" ]; then
    mkdir -p "$refs"
    for set in Black White; do
      for day in $(seq 1 31); do
        convert "$APP/$set/$day.ico[2]" -background "$1" -flatten "$refs/$set $day.png" 2>/dev/null
      done
    done
  fi
  echo "$refs"
}

# Makes the pictures for the tray panel's background before a case whose moments are close.
prepare_icon_refs() {
  import -window "$(tray_panel)" -crop 1x1+0+0 "$WORK/panel.png" 2>/dev/null &&
    icon_refs "$(convert "$WORK/panel.png" -format '%[pixel:p{0,0}]' info:)" >/dev/null
}
icon_is() { [ "$(shown_day_icon)" = "$1" ]; }

finish() {
  if [ "$FAILURES" -eq 0 ]; then log "passed"; exit 0; fi
  log "failed ($FAILURES)"; tail -n 20 "$WORK/vantoly.log" 2>/dev/null | sed 's/^/    /'; exit 1
}

# The note window itself (not the tray icon, which has the same name and class).
form_window() {
  local w
  for w in $(xdotool search --name '^Vantoly$' 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q UTILITY && { echo "$w"; return 0; }
  done
  return 1
}
form_shown() { local w; w=$(form_window) && xwininfo -id "$w" | grep -q 'IsViewable'; }
# The text selected in the note window, copied as a user would.
selected_text() {
  local w
  w=$(form_window) || return 1
  printf '' | xclip -selection clipboard
  xdotool windowactivate --sync "$w" key --clearmodifiers ctrl+c 2>/dev/null
  sleep 0.3
  xclip -o -selection clipboard 2>/dev/null
}
form_above() { local w; w=$(form_window) && xprop -id "$w" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

# A sound server of the case's own with a null sink whose monitor can be recorded.
pulse_start() {
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=vsink" \
    >"$WORK/pulse.log" 2>&1 &
  PIDS+=($!)
  wait_until 10 pactl info >/dev/null 2>&1 || { fail "pulseaudio did not start"; return 1; }
  pactl set-default-sink vsink >/dev/null
}
record_start() { # file
  parec -d vsink.monitor --file-format=wav "$1" >/dev/null 2>&1 &
  RECORDER=$!
  PIDS+=($RECORDER)
}
record_stop() { kill "$RECORDER" 2>/dev/null; wait "$RECORDER" 2>/dev/null; }
# The largest amplitude in a recording, 0 to 1.
loudness() { sox "$1" -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }'; }
louder_than() { awk -v a="$(loudness "$1")" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# A session bus of the case's own, with a notification server and, with "watcher", a
# StatusNotifierItem host; every notification sent on it is captured by dbus-monitor.
bus_start() { # [watcher]
  dbus-daemon --session --nofork --print-address=3 3>"$WORK/bus" >"$WORK/bus.log" 2>&1 &
  PIDS+=($!)
  wait_until 10 grep -qs . "$WORK/bus" || { fail "dbus-daemon did not start"; return 1; }
  export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$WORK/bus")
  dbus-monitor "interface='org.freedesktop.Notifications',member='Notify'" \
    >"$WORK/notifications.log" 2>&1 &
  PIDS+=($!)
  SNI_ITEMS="$WORK/sni-items"
  /usr/bin/python3 "$E2E_DIR/desktop_bus.py" --items "$SNI_ITEMS" \
    ${1:+--watcher} >"$WORK/desktop_bus.log" 2>&1 &
  PIDS+=($!)
  wait_until 10 bus_has org.freedesktop.Notifications || { fail "no notification server"; return 1; }
  [ -z "${1:-}" ] || wait_until 10 bus_has org.kde.StatusNotifierWatcher ||
    { fail "no StatusNotifierWatcher"; return 1; }
}
# A StatusNotifierItem host that comes (and goes) on its own, as a panel that starts late.
sni_host_start() {
  /usr/bin/python3 "$E2E_DIR/desktop_bus.py" --items "$SNI_ITEMS" --watcher \
    >>"$WORK/desktop_bus.log" 2>&1 &
  SNI_HOST_PID=$!
  PIDS+=($SNI_HOST_PID)
  wait_until 10 bus_has org.kde.StatusNotifierWatcher || { fail "no StatusNotifierWatcher"; return 1; }
}
sni_host_stop() { kill "$SNI_HOST_PID"; wait "$SNI_HOST_PID" 2>/dev/null; wait_until 5 not bus_has org.kde.StatusNotifierWatcher; }
bus_has() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}
# The texts of the notifications sent so far, one per line: "summary | body".
notifications() {
  awk '/member=Notify/ { n = 0; next }
       /^   string "/ { n++; s = $0; sub(/^   string "/, "", s); sub(/"$/, "", s)
                        if (n == 3) summary = s; if (n == 4) print summary " | " s }' \
    "$WORK/notifications.log"
}
notified() { notifications | grep -qxF "$1"; }

# StatusNotifierItems registered with the watcher: "service path" per line.
sni_items() { cat "$SNI_ITEMS" 2>/dev/null; }
sni_items_are() { [ "$(sni_items | grep -c .)" -eq "$1" ]; }
sni_call() { # method args...: calls the first registered item
  local service path
  read -r service path < <(sni_items) || return 1
  dbus-send --session --type=method_call --dest="$service" "$path" \
    "org.kde.StatusNotifierItem.$1" "${@:2}"
}
sni_tooltip() {
  local service path
  read -r service path < <(sni_items) || return 1
  dbus-send --session --print-reply --dest="$service" "$path" org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierItem string:ToolTip 2>/dev/null | grep -o 'string "[^"]*"' |
    sed 's/^string "//; s/"$//' | grep .
}

# The mouse on the tray icon and on the note window; positions are pixels within the window.
click_tray_icon() { # xdotool click arguments, e.g. 1, 3 or --repeat 2 --delay 90 1
  local win
  win=$(tray_icon_window) || return 1
  xdotool mousemove --window "$win" 11 11 sleep 0.2 click "$@"
}
click_form() { # x y click arguments...
  local win
  win=$(form_window) || return 1
  xdotool mousemove --window "$win" "$1" "$2" sleep 0.2 click "${@:3}"
}
# The note window with its frame, in pixels on the screen: "left top width height".
form_frame() {
  local win extents X Y WIDTH HEIGHT
  win=$(form_window) || return 1
  # Where the window system put the client, as seen from the root: under a frame with
  # invisible borders (Mutter's) xdotool's geometry is the frame's offset, not this.
  read -r X Y WIDTH HEIGHT < <(xwininfo -id "$win" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } /^  Width/ { w = $2 } /^  Height/ { h = $2 }
    END { print x, y, w, h }')
  extents=$(xprop -id "$win" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | sed 's/,//g')
  set -- $extents
  echo "$((X - ${1:-0})) $((Y - ${3:-0})) $((WIDTH + ${1:-0} + ${2:-0})) $((HEIGHT + ${3:-0} + ${4:-0}))"
}
# The note window's outer size in pixels, frame included: "width height".
form_outer_size() { form_frame | awk '{ print $3, $4 }'; }
# What the note box holds, read through the clipboard as a user would copy it.
note_text() {
  xdotool key --clearmodifiers ctrl+a ctrl+c && sleep 0.3 && xclip -o -selection clipboard
}
# A modal box of the program (input or message box), not the note window.
box_window() {
  local w
  for w in $(xdotool search --name '^Vantoly$' 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && xwininfo -id "$w" |
      grep -q IsViewable && { echo "$w"; return 0; }
  done
  return 1
}
box_open() { box_window >/dev/null; }

# A running program whose store cannot be written, with "kept on disk" as its note, seen from
# outside: OK says so in a box, once; switching notes keeps the edits; Quit asks before it loses
# anything and stays when told no; standard error says it once too, naming the file.
unwritable_store_checks() {
  check "it starts" wait_until 5 tray_icons_are 1
  sleep 0.5
  click_tray_icon --repeat 2 --delay 90 1
  check "the window shows" wait_until 3 form_shown
  xdotool key ctrl+End && xdotool type --delay 20 " and more"
  xdotool key alt+o
  check "OK says in a box that the notes could not be saved" wait_until 5 box_open
  xdotool key Return
  check "then OK hides the window" wait_until 3 not form_shown
  click_tray_icon --repeat 2 --delay 90 1
  wait_until 3 form_shown
  same "the note stays on screen" "$(note_text)" "kept on disk and more"
  click_form 110 16 1
  sleep 0.3
  xdotool type --delay 20 "second"
  click_form 30 16 1
  sleep 0.3
  same "switching notes keeps the edits" "$(note_text)" "kept on disk and more"
  check "and says nothing again" not box_open
  xdotool key alt+q
  check "Quit asks first" wait_until 5 box_open
  xdotool key Return
  check "no: it stays" wait_until 3 not box_open
  check "running" running "$VANTOLY_PID"
  xdotool key alt+q
  wait_until 5 box_open && xdotool key alt+y
  check "yes: Quit ends it" wait_until 5 gone "$VANTOLY_PID"
  same "standard error says so once" \
    "$(grep -c 'the settings could not be saved' "$WORK/vantoly.log")" 1
  check "and says where" grep -q "$INI" "$WORK/vantoly.log"
}
