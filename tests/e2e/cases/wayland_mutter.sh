#!/usr/bin/env bash
# A GNOME (Mutter) Wayland session, headless: XWayland, place, stacking, native Wayland.
COMPOSITOR=mutter CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/wayland.sh"
