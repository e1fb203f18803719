# End-to-end harness: the private desktop of desktop.sh (Xvfb, openbox, trayer as the XEmbed tray
# host) on its own display, a private copy of the installed program (executable and data files)
# and private HOME and XDG directories, and checks of what a user would see from outside.
# Sourced by each case; the case calls desktop_start first. Needs: BUILD (the build folder).
set -u

: "${BUILD:?BUILD must name the build folder}"
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/desktop.sh"
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketimeMT.so.1 2>/dev/null | head -n 1)
CASE_NAME=${CASE_NAME:-$(basename "$0" .sh)}
FAILURES=0
PIDS=()

log() { printf '  [%s] %s\n' "$CASE_NAME" "$*"; }
pass() { log "ok: $*"; }
fail() { log "FAIL: $*"; FAILURES=$((FAILURES + 1)); }
check() { # description command...
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

same() { # description actual expected
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: got [$2], wanted [$3]"; fi
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
  cp "$BUILD/vantoly" "$APP/" && cp -r "$BUILD/Black" "$BUILD/White" "$BUILD/alarm.wav" "$BUILD/plugins" "$APP/"
  INI="$XDG_CONFIG_HOME/Vantoly/Vantoly.ini"
  trap desktop_stop EXIT
}

desktop_stop() {
  [ -n "${VANTOLY_PID:-}" ] && kill -9 "$VANTOLY_PID" 2>/dev/null
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  [ "$FAILURES" -eq 0 ] && [ -n "${WORK:-}" ] && rm -rf "$WORK"
  [ "$FAILURES" -eq 0 ] || log "kept $WORK for a look"
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
    LD_PRELOAD="${VANTOLY_PRELOAD:-}" "${as[@]}" "$APP/vantoly" >"$WORK/vantoly.log" 2>&1 &
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
# The recovery journal of this instance (one per machine and session): its path, once written.
journal_file() { ls "${XDG_STATE_HOME:-$HOME/.local/state}"/Vantoly/journal.* 2>/dev/null | head -n 1; }
journal_has() { grep -qsF -- "$1" "$(journal_file)"; } # text
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

# The text selected in the note window, copied as a user would.
selected_text() {
  local w
  w=$(form_window) || return 1
  printf '' | xclip -selection clipboard
  xdotool windowactivate --sync "$w" key --clearmodifiers ctrl+c 2>/dev/null
  sleep 0.3
  xclip -o -selection clipboard 2>/dev/null
}
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

# What the note box holds, read through the clipboard as a user would copy it.
note_text() {
  xdotool key --clearmodifiers ctrl+a ctrl+c && sleep 0.3 && xclip -o -selection clipboard
}
