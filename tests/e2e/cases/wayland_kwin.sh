#!/usr/bin/env bash
# A KDE Plasma (KWin) Wayland session, headless: XWayland, place, stacking, native Wayland.
COMPOSITOR=kwin CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/wayland.sh"
