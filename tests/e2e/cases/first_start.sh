#!/usr/bin/env bash
# First start with an empty store: the day icon is in the tray within seconds, the window stays
# hidden, and nothing is written to the settings store. Before it, what the command line
# answers without any display: --version and --help, an unknown option, and no display at all.
source "$(dirname "$0")/../lib.sh"
desktop_start
prepare_icon_refs # slow on a busy machine: not inside a wait

answer() { # args...: prints the exit code, standard output and standard error, with no display
  local out err code
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$APP/vantoly" "$@" 2>"$WORK/stderr") && code=0 || code=$?
  err=$(cat "$WORK/stderr")
  printf '%s|%s|%s' "$code" "$out" "$(head -n 1 <<<"$err")"
}
same "--version answers without a display" "$(answer --version)" "0|Vantoly 1.00|"
check "--help answers on standard output" eval '[[ "$(answer --help)" == "0|Usage: vantoly "* ]]'
same "an unknown option is refused" "$(answer --verbose | cut -d'|' -f1,3)" \
  "2|vantoly: unknown option '--verbose'"
same "no display: one line, no abort" "$(answer)" \
  "1||Vantoly: no display to show itself on: DISPLAY is not set"
check "nothing written by any of them" test ! -e "$INI" -a ! -e "$HOME/.local/state/Vantoly"

vantoly_start "@2026-03-05 10:00:00"
check "icon embedded in the tray" wait_until 5 tray_icons_are 1
check "it shows the black 5" wait_until 20 icon_is "Black 5"
check "the program keeps running" running "$VANTOLY_PID"
check "the window is hidden" bash -c '! xdotool search --onlyvisible --name "^Vantoly$" >/dev/null'
check "no settings file written" test ! -e "$INI"
finish
