#!/usr/bin/env bash
# Sharp icons on scaled screens (QT_SCALE_FACTOR 1, 1.5 and 2): the tray icon is the day icon's
# own image for the tray's size, not another one scaled (at 1.5 too, where the tray's size is a
# fractional number of logical pixels), and the window, once shown, offers its icon in the sizes
# up to 128 pixels, so the desktop never scales up its 32-pixel image either.
source "$(dirname "$0")/../lib.sh"
desktop_start
prepare_icon_refs

# Blur, as the share of mid-grey pixels: a sharp digit is ink on the panel with a thin edge, an
# image scaled up from a smaller one has a wide grey seam (about three times as many).
blur() { convert "$1" -colorspace gray -fx '(u>0.25&&u<0.7)?1:0' -format '%[fx:mean]' info:; }
tray_icon_shot() {
  local win
  win=$(tray_icon_window) || return 1
  # A scaled tray icon's window may be wider than the tray is high; the picture is centred.
  import -window "$win" -gravity center -crop 22x22+0+0 +repage "$WORK/icon-$scale.png" 2>/dev/null
}
sharp_as() { # set day: the tray icon is as sharp as the day icon's own 22-pixel image
  local ref
  tray_icon_shot || return 1
  ref="$(icon_refs "$(convert "$WORK/icon-$scale.png" -format '%[pixel:p{0,0}]' info:)")/$1 $2.png"
  awk -v shot="$(blur "$WORK/icon-$scale.png")" -v ref="$(blur "$ref")" \
    'BEGIN { exit !(shot <= ref * 1.25 + 0.01) }'
}

store_settings "Black=1" "Indicator=0"
for scale in 1 1.5 2; do
  QT_SCALE_FACTOR=$scale vantoly_start "@2026-12-09 10:00:00"
  check "scale $scale: icon embedded" wait_until 5 tray_icons_are 1
  sleep 0.5
  check "scale $scale: the tray icon is sharp" sharp_as Black 9
  check "scale $scale: shown" show_by_tray_icon 10
  icons=$(xprop -id "$(form_window)" _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
  size=$(awk -v s="$scale" 'BEGIN { print 32 * s }')
  check "scale $scale: the window icon has its $size-pixel image ($icons)" \
    eval '[[ "$icons" == *"Icon ($size x $size)"* ]]'
  kill "$VANTOLY_PID"
  wait_until 5 gone "$VANTOLY_PID"
done
finish
