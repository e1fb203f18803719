#!/usr/bin/env bash
# Typed, never saved, then SIGHUP: twenty tries.
SIGNAL=HUP CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/session_end_typed.sh"
