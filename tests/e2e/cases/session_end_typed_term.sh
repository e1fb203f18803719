#!/usr/bin/env bash
# Typed, never saved, then SIGTERM: twenty tries.
SIGNAL=TERM CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/session_end_typed.sh"
