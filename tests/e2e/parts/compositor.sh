# A Wayland compositor as KDE Plasma or GNOME start it, headless, with XWayland: COMPOSITOR=kwin
# or mutter; SCALE=2 runs KWin at 200 % with X11 applications scaling themselves (XWayland at
# scale 2, Xft.dpi 192), as Plasma's display settings set it. Sets DISPLAY and WAYLAND_DISPLAY.
compositor_start() {
  # Both compositors print the XWayland display to the child they start; it outlives nothing.
  case "$COMPOSITOR" in
    kwin)
      local scale=()
      if [ "${SCALE:-1}" != 1 ]; then
        scale=(--scale "$SCALE")
        mkdir -p "$XDG_CONFIG_HOME"
        printf '[Xwayland]\nScale=%s\n' "$SCALE" >"$XDG_CONFIG_HOME/kwinrc"
      fi
      # The installed binary carries a file capability that unprivileged containers refuse.
      install -m755 /usr/bin/kwin_wayland "$WORK/kwin_wayland"
      env -u QT_QPA_PLATFORM "$WORK/kwin_wayland" --virtual --xwayland --no-lockscreen \
        --socket "vantoly-$$" --width 1280 --height 800 "${scale[@]}" \
        "sh -c 'echo \"\$DISPLAY\" >$WORK/xwayland; exec sleep infinity'" >"$WORK/compositor.log" 2>&1 & ;;
    mutter)
      env -u QT_QPA_PLATFORM mutter --wayland --headless --virtual-monitor 1280x800 \
        --wayland-display "vantoly-$$" -- \
        sh -c "echo \"\$DISPLAY \$XAUTHORITY\" >$WORK/xwayland; exec sleep infinity" \
        >"$WORK/compositor.log" 2>&1 & ;;
  esac
  PIDS+=($!)
  wait_until 20 grep -qs . "$WORK/xwayland" || { fail "$COMPOSITOR did not start"; finish; }
  local xdisplay xauthority
  read -r xdisplay xauthority <"$WORK/xwayland"
  export DISPLAY=$xdisplay WAYLAND_DISPLAY="vantoly-$$" XDG_SESSION_TYPE=wayland
  [ -n "$xauthority" ] && export XAUTHORITY=$xauthority
  unset QT_QPA_PLATFORM
  wait_until 10 xdpyinfo >/dev/null 2>&1 || { fail "no XWayland display"; finish; }
  if [ "${SCALE:-1}" != 1 ]; then
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$((96 * SCALE))"
  fi
}
# The tray's activation of the icon, as a click on a StatusNotifierItem sends it.
activate() { sni_call Activate int32:0 int32:0; }
