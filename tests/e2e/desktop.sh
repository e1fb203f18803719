# The private desktop: an Xvfb display of its own with openbox and trayer as the XEmbed tray
# host, and the look-ups a user's eye makes there (the tray's icons, the note window, its frame,
# a box of the program's) and a user's mouse. No home, no program: the end-to-end harness
# (lib.sh), scripts/run, scripts/screenshots and scripts/bench start those themselves.
# Needs: WORK (a folder for the servers' logs); PIDS collects what it starts. DESKTOP_DETACHED=1
# runs the servers in sessions of their own, so a Ctrl+C meant for the program leaves them be.

PIDS=(${PIDS[@]+"${PIDS[@]}"})
# How a failure to start is told: a failed check in the harness, a line on standard error
# elsewhere.
desktop_problem() { if declare -F fail >/dev/null; then fail "$@"; else echo "$*" >&2; fi; }

not() { ! "$@"; }
# Polls a command until it succeeds, for at most the given seconds.
wait_until() { # seconds command...
  local deadline=$(( $(date +%s%N) + $1 * 1000000000 )); shift
  until "$@"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

display_start() {
  rm -f "$WORK/display"
  # -noreset: a server that resets as its last client leaves refuses the next one meanwhile
  # (openbox, just after the check below, now and then).
  ${DESKTOP_DETACHED:+setsid} Xvfb -displayfd 3 -screen 0 1280x800x24 -dpi 96 -nolisten tcp -noreset \
    3>"$WORK/display" >>"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  PIDS+=($XVFB_PID)
  wait_until 10 grep -qs . "$WORK/display" || return 1
  export DISPLAY=":$(cat "$WORK/display")"
  wait_until 10 xdpyinfo >/dev/null 2>&1 || return 1
  # shellcheck disable=SC2086 # OPENBOX_ARGS: extra options, e.g. a configuration of the case's
  ${DESKTOP_DETACHED:+setsid} openbox ${OPENBOX_ARGS:-} >>"$WORK/openbox.log" 2>&1 &
  OPENBOX_PID=$!
  PIDS+=($OPENBOX_PID)
  # Until openbox manages the screen, a panel mapped meanwhile may never show. An openbox that
  # could not start is not waited for: the desktop goes on without it, as it always has.
  wait_until 20 eval 'wm_running || ! kill -0 "$OPENBOX_PID" 2>/dev/null'
  xdpyinfo >/dev/null 2>&1
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# The XEmbed tray host; it can be stopped and started again, as a panel that restarts.
tray_start() {
  # shellcheck disable=SC2086 # TRAYER_ARGS: extra options, e.g. a dark panel's tint
  ${DESKTOP_DETACHED:+setsid} trayer --edge top --align right --widthtype request \
    --heighttype pixel --height 24 ${TRAYER_ARGS:-} >>"$WORK/trayer.log" 2>&1 &
  TRAYER_PID=$!
  PIDS+=($TRAYER_PID)
  if wait_until 10 tray_panel >/dev/null; then
    # On a busy machine trayer's first map of its panel is now and then lost between it and
    # openbox, and the panel never shows: asked again, openbox shows it.
    wait_until 5 tray_panel_shown || xdotool windowmap "$(tray_panel)" 2>/dev/null
    wait_until 10 tray_panel_shown && return 0
  fi
  [ "${1:-}" = quiet ] || desktop_problem "trayer did not start"
  return 1
}
tray_panel_shown() { xwininfo -id "$(tray_panel)" 2>/dev/null | grep -q IsViewable; }
tray_stop() { kill "$TRAYER_PID" 2>/dev/null; wait "$TRAYER_PID" 2>/dev/null; wait_until 5 not tray_panel >/dev/null; }

# awk reads to the end: quitting at the first match would end xwininfo by SIGPIPE, a failure
# wherever pipefail is set (scripts/run).
tray_panel() { xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ && !n++ { print $1 }' | grep .; }

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
  xwininfo -id "$panel" -tree | awk '/\("vantoly" "Vantoly"\)/ && !n++ { print $1 }' | grep .
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
form_above() { local w; w=$(form_window) && xprop -id "$w" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

# The mouse on the tray icon and on the note window; positions are pixels within the window.
click_tray_icon() { # xdotool click arguments, e.g. 1, 3 or --repeat 2 --delay 90 1
  local win
  win=$(tray_icon_window) || return 1
  # Embedded is not yet shown: on a busy machine a click before the icon is mapped and sized
  # goes to the panel.
  wait_until 10 eval "xwininfo -id $win 2>/dev/null | awk '/Width:|Height:/ { if (\$2 < 12) bad = 1 }
    /IsViewable/ { shown = 1 } END { exit bad || !shown }'"
  # The two clicks of a double-click must not be 400 ms apart: on a busy machine xdotool could be
  # kept waiting between them, so it runs ahead of the builds beside it where it may.
  local first=()
  [ "$(id -u)" = 0 ] && first=(nice -n -10)
  local start
  start=$(date +%s%N)
  "${first[@]}" xdotool mousemove --window "$win" 11 11 sleep 0.2 click "$@" || return 1
  CLICK_MS=$(( ($(date +%s%N) - start) / 1000000 ))
}
# Shows the hidden window with a double-click on the icon, as a user does: when the window has
# not come up within the given seconds it is tried once more. Two clicks that a busy machine
# kept apart for longer than the double-click interval are two single clicks, which do nothing.
show_by_tray_icon() { # seconds
  click_tray_icon --repeat 2 --delay 90 1 && wait_until "$1" form_shown && return 0
  form_shown && return 0
  # Said, so that a double-click the program itself lost does not hide behind the retry; how
  # long xdotool took tells a starved machine (well over 290 ms) from a lost event.
  declare -F log >/dev/null &&
    log "the double-click did not show the window (the clicks took $CLICK_MS ms); once more"
  click_tray_icon --repeat 2 --delay 90 1 && wait_until "$1" form_shown
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

