#!/usr/bin/env bash
# scripts/run on a machine without a desktop: it starts a private one, opens Vantoly's window
# from the tray as a user would, leaves a screenshot that is not blank, and Ctrl+C (SIGINT to
# its process group) ends everything it started.
source "$(dirname "$0")/../lib.sh"
WORK=$(mktemp -d "/tmp/vantoly-e2e-$CASE_NAME.XXXXXX")
trap 'kill -9 -- -"${RUN_PID:-0}" 2>/dev/null; [ "$FAILURES" -eq 0 ] && rm -rf "$WORK"' EXIT
repo=$(cd "$E2E_DIR/../.." && pwd)
shot="$repo/build/screenshots/vantoly.png"
rm -f "$shot"

env -u DISPLAY -u WAYLAND_DISPLAY HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" \
  XDG_CACHE_HOME="$WORK/home/.cache" XDG_RUNTIME_DIR="$WORK/run" \
  setsid "$repo/scripts/run" >"$WORK/run.log" 2>&1 &
RUN_PID=$!
check "it says where Vantoly runs and how to end it" \
  wait_until 60 grep -q "Ctrl+C ends Vantoly" "$WORK/run.log"
check "the screenshot is written" test -s "$shot"
check "it says the window came up only once it was shown" \
  grep -q "Screenshot of its tray and window" "$WORK/run.log"
colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
check "the screenshot shows the tray and the window (not blank)" test "${colours:-0}" -gt 20
size=$(identify -format '%w %h' "$shot" 2>/dev/null)
check "the screenshot holds more than the tray" test "${size#* }" -gt 200
group_runs_vantoly() { pgrep -g "$RUN_PID" -x vantoly >/dev/null; }
# The private desktop's servers run in sessions of their own; none of them may be left either.
group_is_empty() {
  local pid
  pgrep -g "$RUN_PID" >/dev/null && return 1
  for pid in $STARTED; do running "$pid" && return 1; done
  return 0
}
check "Vantoly runs" group_runs_vantoly

children() { pgrep -P "$RUN_PID" | tr '\n' ' '; }
# Read until all four are seen: a look at one instant missed one on a busy machine.
check "it started its desktop's servers and Vantoly" \
  wait_until 10 eval '[ "$(children | wc -w)" -ge 4 ]'
STARTED=$(children)
kill -INT -- -"$RUN_PID"
check "Ctrl+C ends scripts/run" wait_until 10 gone "$RUN_PID"
check "and leaves no process behind" wait_until 5 group_is_empty
check "Vantoly saved its settings on the way out (the display outlived it)" \
  test -s "$WORK/home/.config/Vantoly/Vantoly.ini"
[ "$FAILURES" -eq 0 ] || cat "$WORK/run.log"
finish
