# End-to-end harness for the Windows program: the Linux harness's private display (Xvfb and
# openbox), a private Wine prefix whose notification area is Wine's own tray window (shown when
# the desktop has no tray host: its icons draw, take the mouse and show their tooltips and
# balloons as Windows would), a private copy of vantoly.exe with its data files, and the Win32
# test driver that looks at the program's and the shell's windows from outside.
# Needs: BUILD (the 64-bit Windows build folder).
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

WINE=/usr/lib/wine/wine64 # /usr/bin/wine would pick the 32-bit loader
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\Vantoly\Settings'

wine_desktop_start() {
  WORK=$(mktemp -d "/tmp/vantoly-w32-$CASE_NAME.XXXXXX")
  export WINEPREFIX="$WORK/prefix" HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/run"
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
  APP="$WORK/app"
  mkdir -p "$APP"
  cp "$BUILD/vantoly.exe" "$APP/" && cp -r "$BUILD/Black" "$BUILD/White" "$BUILD/alarm.wav" "$APP/"
  trap wine_desktop_stop EXIT
  display_start || { fail "no private display"; exit 1; }
  "$WINE" wineboot -i >>"$WORK/wineboot.log" 2>&1 || { fail "the Wine prefix cannot be made"; exit 1; }
}

wine_desktop_stop() {
  [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver64 -k 2>/dev/null
  desktop_stop
}

# Starts vantoly.exe, optionally with the clock set (see vantoly_start in the Linux harness).
wine_vantoly_start() { # [faketime]
  if [ $# -gt 0 ] && [ -n "$1" ]; then
    LD_PRELOAD="$FAKETIME_LIB" FAKETIME="$1" FAKETIME_DONT_FAKE_MONOTONIC=1 \
      "$WINE" "$APP/vantoly.exe" >"$WORK/vantoly.log" 2>&1 &
  else
    "$WINE" "$APP/vantoly.exe" >"$WORK/vantoly.log" 2>&1 &
  fi
  VANTOLY_PID=$!
}

drv() { "$WINE" "$BUILD/tests/vantoly_driver.exe" "$@"; }
started() { drv topmost 2>/dev/null; } # the last thing start-up does to the window
shown() { drv visible 2>/dev/null; }
hidden() { ! drv visible 2>/dev/null && drv text txtNote >/dev/null 2>&1; }
control_text() { drv text "$1" 2>/dev/null; }
focus_is() { [ "$(drv focus 2>/dev/null)" = "$1" ]; }
show_by_tray() { drv tray 515 && wait_until 5 shown; } # the shell's double-click, as delivered
box_up() { drv box-text >/dev/null 2>&1; }

# The icons in the notification area, and the mouse on the first one.
wine_tray_icons() { drv tray-icons 2>/dev/null | awk '{ print $1 + 0 }'; }
wine_tray_icons_are() { [ "$(wine_tray_icons)" = "$1" ]; }
click_tray_icon() { # xdotool click arguments, e.g. 3 or --repeat 2 --delay 80 1
  local where
  where=$(drv tray-icons | awk '$1 > 0 { print $2, $3 }')
  [ -n "$where" ] || return 1
  # shellcheck disable=SC2086
  xdotool mousemove $where sleep 0.2 click "$@"
}
hover_tray_icon() {
  local where
  where=$(drv tray-icons | awk '$1 > 0 { print $2, $3 }')
  [ -n "$where" ] || return 1
  # shellcheck disable=SC2086
  xdotool mousemove $where sleep 0.2 mousemove_relative 1 1
}
shell_tip_is() { [ "$(drv shell-tip | tr -d '\r')" = "$1" ]; }
shell_balloon_is() { [ "$(drv shell-balloon | tr -d '\r')" = "$1" ]; }

# The X window of the note window, for keys typed by a user.
form_x_window() { xwininfo -root -tree | awk '/"Vantoly": \("vantoly.exe"/ { print $1; exit }'; }
keys() { # xdotool key arguments
  xdotool windowactivate --sync "$(form_x_window)" 2>/dev/null
  xdotool key --delay 120 "$@"
  sleep 0.3
}

reg_value() { # key: prints the stored value, nothing when absent
  "$WINE" reg query "$SETTINGS_KEY" /v "$1" 2>/dev/null |
    awk -v k="$1" '$1 == k && $2 ~ /^REG_/ { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); sub(/\r$/, ""); print }'
}
reg_set() { # key value
  "$WINE" reg add "$SETTINGS_KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1
}
winepath_of() { echo "Z:$(echo "$1" | tr / '\\')"; }
