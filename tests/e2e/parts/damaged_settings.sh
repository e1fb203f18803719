#!/usr/bin/env bash
# Damaged settings files through the real program (numbers FIRST to LAST of the generator's):
# each time it starts, its icon appears and Quit exits 0, and what it does not write at Quit
# (the titles, another section) still reads as it was.
source "$(dirname "$0")/../lib.sh"
desktop_start

for number in $(seq "$FIRST" "$LAST"); do
  mkdir -p "$(dirname "$INI")"
  python3 "$E2E_DIR/damaged_settings.py" "$number" "$INI" >"$WORK/kept"
  # A 10 MB note takes the box seconds to lay out, more on a busy machine: the waits grow with
  # the file.
  slack=$(( $(stat -c %s "$INI") / 200000 ))
  vantoly_start
  if ! wait_until $((8 + slack)) tray_icons_are 1; then
    fail "file $number: no icon"; kill -9 "$VANTOLY_PID"; wait "$VANTOLY_PID"; continue
  fi
  comm=$(cat "/proc/$VANTOLY_PID/comm")
  [ "$comm" = vantoly ] || fail "file $number: runs as [$comm]"
  show_by_tray_icon $((5 + slack)) || fail "file $number: the window did not come up"
  xdotool key alt+q
  if ! wait_until $((10 + slack)) gone "$VANTOLY_PID"; then
    fail "file $number: Quit did not end it"; kill -9 "$VANTOLY_PID"; wait "$VANTOLY_PID"; continue
  fi
  # Waited for here, not in a subshell, which knows the program only as its parent's child.
  code=0
  wait "$VANTOLY_PID" || code=$?
  [ "$code" = 0 ] || fail "file $number: exit code $code"
  # QSettings rewrites the file whole, and writes a value that starts with "@" as "@@".
  while IFS= read -r line; do
    tr '\r' '\n' <"$INI" | grep -qxF -e "$line" -e "${line/=@/=@@}" ||
      fail "file $number: [$line] was not kept"
  done <"$WORK/kept"
  wait_until 3 tray_icons_are 0 || fail "file $number: icon left behind"
done
pass "files $FIRST to $LAST"
VANTOLY_PID=
finish
